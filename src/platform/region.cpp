#include "platform/region.h"

namespace platform {

namespace {

// Appends the parts of r outside cut (at most four bands: above, below, left, right).
void append_difference(const rect& r, const rect& cut, std::vector<rect>& out) {
  const rect common = r.intersect(cut);
  if (common.empty()) {
    out.push_back(r);
    return;
  }
  if (r.top < common.top) out.push_back({r.left, r.top, r.right, common.top});
  if (common.bottom < r.bottom) out.push_back({r.left, common.bottom, r.right, r.bottom});
  if (r.left < common.left) out.push_back({r.left, common.top, common.left, common.bottom});
  if (common.right < r.right) out.push_back({common.right, common.top, r.right, common.bottom});
}

}  // namespace

bool region::contains(point p) const {
  for (const rect& r : rects_)
    if (r.contains(p)) return true;
  return false;
}

rect region::bounds() const {
  rect b;
  for (const rect& r : rects_) b = b.unite(r);
  return b;
}

void region::add(const rect& r) {
  if (r.empty()) return;
  // Only the parts of r not yet covered are added, so the rectangles stay disjoint.
  std::vector<rect> pieces{r};
  for (const rect& have : rects_) {
    std::vector<rect> rest;
    for (const rect& piece : pieces) append_difference(piece, have, rest);
    pieces.swap(rest);
    if (pieces.empty()) return;
  }
  rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void region::add(const region& other) {
  for (const rect& r : other.rects_) add(r);
}

void region::subtract(const rect& r) {
  if (r.empty()) return;
  std::vector<rect> rest;
  for (const rect& have : rects_) append_difference(have, r, rest);
  rects_.swap(rest);
}

void region::intersect(const rect& r) {
  std::vector<rect> kept;
  for (const rect& have : rects_) {
    const rect common = have.intersect(r);
    if (!common.empty()) kept.push_back(common);
  }
  rects_.swap(kept);
}

void region::offset(int dx, int dy) {
  for (rect& r : rects_) r = r.offset(dx, dy);
}

}  // namespace platform
