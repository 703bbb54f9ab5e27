# Documents in the `zqtool meta` text form: an element tree with typed attributes.


def quoted(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


class Element:
    def __init__(self, tag, **attributes):
        self.name = tag
        self.attributes = []  # (name, type word, value)
        self.children = []
        for key, value in attributes.items():
            self.set(key, value)

    def set(self, name, value, kind=None):
        if kind is None:
            kind = "string" if isinstance(value, str) else "int16"
        self.attributes.append((name, kind, value))
        return self

    def add(self, child):
        self.children.append(child)
        return child

    def lines(self, indent=0):
        pad = "  " * indent
        out = [pad + self.name + " {"]
        for name, kind, value in self.attributes:
            if kind == "string":
                text = quoted(value)
            elif kind == "int32":
                text = "0x%06X" % value
            else:
                text = str(value)
            out.append("%s  %s = %s %s" % (pad, name, kind, text))
        for child in self.children:
            out += child.lines(indent + 1)
        out.append(pad + "}")
        return out


def document(root, header):
    return "\n".join(["# " + line for line in header] + root.lines()) + "\n"
