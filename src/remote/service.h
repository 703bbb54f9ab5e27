// remote::service: one area of the remote screen. It owns a page document (a skin's service page,
// a codebase's layouts or bytes in memory), turns it into pages of buttons for the screen, draws
// the current page and hands a tap to the topmost button under the stylus. Loading is lazy: a
// changed source or rectangle is read again by the next prepare, which every draw runs first.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "remote/button.h"
#include "remote/component.h"
#include "remote/service_loader.h"

namespace layer {
class renderer;
class surface;
}  // namespace layer

namespace outworld {
struct input_event;
}

namespace remote {

struct service_source {
  enum kind_t : std::int32_t { none = 0, skin_resource = 1, codebase_file = 2, memory_buffer = 3 };

  std::int32_t kind = none;
  bool changed = false;
  std::vector<std::uint8_t> bytes;
  // The codebase name for a codebase file, "editor" for bytes in memory.
  std::string name;
  // Made the current skin before every draw; empty: no skin (built-in colours only).
  std::wstring own_skin;
  // The second place a service page is looked for.
  std::wstring base_skin;

  bool empty() const { return bytes.empty(); }
};

// The resource id of a service page id ("srv:navigation" 4096 ... "srv:about-form" 4105); 0 for
// any other text.
std::uint16_t service_page_resource(std::string_view page_id);

class service : public mif::component {
 public:
  enum flag_t : std::uint32_t { drawable = 1, interactive = 2 };
  enum state_flag_t : std::uint32_t { reload_needed = 1, relayout_needed = 2, loaded = 4, title_changed = 8 };
  // Copies the surface to the window after a button redrew itself while it tracks the stylus.
  using show_function = std::function<void()>;

  // base_skin: where service pages are looked for when the own skin lacks them.
  explicit service(std::wstring base_skin = {});
  ~service() override;
  service(const service&) = delete;
  service& operator=(const service&) = delete;

  // The operations after the destructor, in this order.
  virtual void draw(layer::renderer& r);
  // 1 when a button took the tap at (x, y).
  virtual int input(std::int32_t x, std::int32_t y, layer::renderer& r, layer::surface& s, const show_function& show,
                    std::int32_t extra1 = 0, std::int32_t extra2 = 0);
  virtual void set_rect(const mif::rectangle& r);
  // A captured hardware key; 1 when it was used.
  virtual int hard_key(const outworld::input_event& event);
  // Loads and binds when needed; true when the service must be repainted.
  virtual bool prepare();
  virtual std::string name() const;
  // Reads the document again: 0 when pages were read, 1 when nothing was loaded.
  virtual int reload();

  // A service page of the own skin, else of the base skin: 0, or -1 for an unknown page id (the
  // source is then left empty).
  int set_source_page(std::string_view page_id);
  // A codebase's layout document (name: the codebase's catalog name).
  void set_source_codebase(std::string_view codebase_name, std::span<const std::uint8_t> layout);
  // A page document in memory (the editor's page).
  void set_source_memory(std::span<const std::uint8_t> document);
  // No document any more.
  void clear_source();
  const service_source& source() const { return source_; }
  void set_own_skin(std::wstring skin) { source_.own_skin = std::move(skin); }

  // The current page, clamped to the pages there are (the clamped value is stored).
  std::int32_t current_page();
  std::int32_t current_page_unclamped() const { return page_; }
  void set_current_page(std::int32_t page) { page_ = page; }
  std::int32_t page_count() const { return pages_.page_count(); }
  std::int32_t background_of(std::int32_t page) const;

  // The buttons of every page; a page's buttons by page_buttons.
  std::vector<button>& buttons() { return pages_.buttons; }
  std::span<button> page_buttons(std::int32_t page);
  // The first button of the current page whose action is that text, or null.
  button* find_button(std::string_view action);

  void set_name(std::string name) { name_ = std::move(name); }
  std::uint32_t flags = drawable | interactive;
  std::uint32_t state_flags = 0;
  bool edit_mode = false;
  // Called with (service, loaded) after every reload.
  std::function<void(service&, std::uint32_t)> observer;

 protected:
  // Makes the own skin current (or none) for drawing.
  void select_skin() const;
  bool has_document() const { return !source_.empty(); }
  service_source source_;
  service_pages pages_;

 private:
  void take_bytes(std::int32_t kind, std::string_view name, std::span<const std::uint8_t> bytes);
  // Empties the pages. While a button handles a tap, its callback may reload the service: the old
  // buttons (and the bytes they point into) are then kept until the tap is over.
  void retire_pages(bool with_bytes);

  struct retired_pages {
    std::vector<button> buttons;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<retired_pages> retired_;
  int inputs_ = 0;

  std::string name_;
  std::int32_t page_ = 0;
};

}  // namespace remote
