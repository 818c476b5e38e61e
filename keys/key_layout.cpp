// The keyboard map's layout table.
#include "keys/key_layout.h"

#include <QHash>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Place {
    const char16_t* name;
    const char16_t* label = nullptr; // nullptr: the name itself
    double width = 1;
    double height = 1;
    double gapBefore = 0; // empty space left of the cap
};

class LayoutBuilder {
public:
    QList<KeyCap> caps;

    // A row of caps side by side from `x`.
    void row(double x, double y, KeyBlock block, std::initializer_list<Place> places) {
        for (const Place& p : places) {
            x += p.gapBefore;
            add(p, QRectF(x, y, p.width, p.height), block);
            x += p.width;
        }
    }
    void at(const Place& p, double x, double y, KeyBlock block) {
        add(p, QRectF(x, y, p.width, p.height), block);
    }

private:
    void add(const Place& p, const QRectF& rect, KeyBlock block) {
        KeyCap cap;
        cap.name = QString::fromUtf16(p.name);
        cap.label = p.label ? QString::fromUtf16(p.label) : cap.name;
        cap.rect = rect;
        cap.block = block;
        for (const KeyCap& other : std::as_const(caps))
            if (other.name == cap.name)
                cap.twin = true;
        caps.append(cap);
    }
};

constexpr double kRow = 1.25; // the function row stands a little apart from the rest
constexpr double kNavX = 15.5;
constexpr double kPadX = 19;
constexpr double kMouseX = 23.5;

QList<KeyCap> buildLayout() {
    LayoutBuilder b;
    using K = KeyBlock;
    // Function row and PAUSE.
    b.row(0, 0, K::Function,
          {{u"ESCAPE", u"Esc"},
           {u"F1", nullptr, 1, 1, 1},
           {u"F2"},
           {u"F3"},
           {u"F4"},
           {u"F5", nullptr, 1, 1, 0.5},
           {u"F6"},
           {u"F7"},
           {u"F8"},
           {u"F9", nullptr, 1, 1, 0.5},
           {u"F10"},
           {u"F11"},
           {u"F12"}});
    b.at({u"PAUSE", u"Pause"}, kNavX + 2, 0, K::Navigation);
    // Main block.
    double y = kRow;
    b.row(0, y, K::Main,
          {{u"`"},
           {u"1"},
           {u"2"},
           {u"3"},
           {u"4"},
           {u"5"},
           {u"6"},
           {u"7"},
           {u"8"},
           {u"9"},
           {u"0"},
           {u"-"},
           {u"="},
           {u"BACKSPACE", u"Backspace", 2}});
    y += 1;
    b.row(0, y, K::Main,
          {{u"TAB", u"Tab", 1.5},
           {u"q"},
           {u"w"},
           {u"e"},
           {u"r"},
           {u"t"},
           {u"y"},
           {u"u"},
           {u"i"},
           {u"o"},
           {u"p"},
           {u"["},
           {u"]"},
           {u"\\", nullptr, 1.5}});
    y += 1;
    b.row(0, y, K::Main,
          {{u"CAPSLOCK", u"Caps Lock", 1.75},
           {u"a"},
           {u"s"},
           {u"d"},
           {u"f"},
           {u"g"},
           {u"h"},
           {u"j"},
           {u"k"},
           {u"l"},
           {u";"},
           {u"'"},
           {u"ENTER", u"Enter", 2.25}});
    y += 1;
    b.row(0, y, K::Main,
          {{u"SHIFT", u"Shift", 2.25},
           {u"z"},
           {u"x"},
           {u"c"},
           {u"v"},
           {u"b"},
           {u"n"},
           {u"m"},
           {u","},
           {u"."},
           {u"/"},
           {u"SHIFT", u"Shift", 2.75}});
    y += 1;
    b.row(0, y, K::Main,
          {{u"CTRL", u"Ctrl", 1.25},
           {u"ALT", u"Alt", 1.25, 1, 1.25},
           {u"SPACE", u"Space", 6.25},
           {u"ALT", u"Alt", 1.25},
           {u"CTRL", u"Ctrl", 1.25, 1, 2.5}});
    // Navigation keys and arrows.
    b.row(kNavX, kRow, K::Navigation, {{u"INS", u"Ins"}, {u"HOME", u"Home"}, {u"PGUP", u"PgUp"}});
    b.row(kNavX, kRow + 1, K::Navigation, {{u"DEL", u"Del"}, {u"END", u"End"}, {u"PGDN", u"PgDn"}});
    b.at({u"UPARROW", u"↑"}, kNavX + 1, kRow + 3, K::Navigation);
    b.row(kNavX, kRow + 4, K::Navigation,
          {{u"LEFTARROW", u"←"}, {u"DOWNARROW", u"↓"}, {u"RIGHTARROW", u"→"}});
    // Numeric keypad (the Num Lock place stays empty: the engine has no name for it).
    b.row(kPadX + 1, kRow, K::Keypad, {{u"KP_SLASH", u"/"}, {u"*"}, {u"KP_MINUS", u"−"}});
    b.row(kPadX, kRow + 1, K::Keypad,
          {{u"KP_HOME", u"7"},
           {u"KP_UPARROW", u"8 ↑"},
           {u"KP_PGUP", u"9"},
           {u"KP_PLUS", u"+", 1, 2}});
    b.row(kPadX, kRow + 2, K::Keypad,
          {{u"KP_LEFTARROW", u"4 ←"}, {u"KP_5", u"5"}, {u"KP_RIGHTARROW", u"6 →"}});
    b.row(kPadX, kRow + 3, K::Keypad,
          {{u"KP_END", u"1"},
           {u"KP_DOWNARROW", u"2 ↓"},
           {u"KP_PGDN", u"3"},
           {u"KP_ENTER", u"Enter", 1, 2}});
    b.row(kPadX, kRow + 4, K::Keypad, {{u"KP_INS", u"0", 2}, {u"KP_DEL", u"."}});
    // The mouse: two buttons, the wheel between them, two side buttons below.
    b.at({u"MOUSE1", u"ЛКМ", 1.25, 2}, kMouseX, kRow, K::Mouse);
    b.at({u"MWHEELUP", u"▲", 1, 0.65}, kMouseX + 1.25, kRow, K::Mouse);
    b.at({u"MOUSE3", u"СКМ", 1, 0.7}, kMouseX + 1.25, kRow + 0.65, K::Mouse);
    b.at({u"MWHEELDOWN", u"▼", 1, 0.65}, kMouseX + 1.25, kRow + 1.35, K::Mouse);
    b.at({u"MOUSE2", u"ПКМ", 1.25, 2}, kMouseX + 2.25, kRow, K::Mouse);
    b.at({u"MOUSE5", u"M5", 1.25, 0.9}, kMouseX, kRow + 2.25, K::Mouse);
    b.at({u"MOUSE4", u"M4", 1.25, 0.9}, kMouseX, kRow + 3.2, K::Mouse);
    // Names without a key of their own: "~" and "+" are shifted characters the engine binds
    // apart, the joystick sends JOY and AUX.
    QList<Place> other = {{u"~"}, {u"+"}};
    static const QStringList joystick = [] {
        QStringList names;
        for (int i = 1; i <= 4; ++i)
            names << u"JOY"_s + QString::number(i);
        for (int i = 1; i <= 32; ++i)
            names << u"AUX"_s + QString::number(i);
        return names;
    }();
    for (const QString& n : joystick)
        other.append({reinterpret_cast<const char16_t*>(n.utf16())});
    const int perRow = int(other.size() + 1) / 2;
    const double width = (kMouseX + 3.5) / perRow;
    for (int i = 0; i < other.size(); ++i)
        b.at({other[i].name, nullptr, width * 0.94, 0.8}, (i % perRow) * width,
             kRow + 5.5 + (i / perRow) * 0.9, K::Other);
    return b.caps;
}

} // namespace

const QList<KeyCap>& keyboardLayout() {
    static const QList<KeyCap> caps = buildLayout();
    return caps;
}

QSizeF keyboardLayoutSize() {
    static const QSizeF size = [] {
        QRectF all;
        for (const KeyCap& cap : keyboardLayout())
            all = all.united(cap.rect);
        return QSizeF(all.right(), all.bottom());
    }();
    return size;
}

const QStringList& engineKeyNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const KeyCap& cap : keyboardLayout())
            if (!cap.twin)
                list.append(cap.name);
        return list;
    }();
    return names;
}

const KeyCap* keyCapFor(const QString& canonicalName) {
    static const QHash<QString, qsizetype> positions = [] {
        QHash<QString, qsizetype> p;
        const QList<KeyCap>& caps = keyboardLayout();
        for (qsizetype i = 0; i < caps.size(); ++i)
            if (!caps[i].twin)
                p.insert(caps[i].name, i);
        return p;
    }();
    const auto it = positions.constFind(canonicalName);
    return it == positions.constEnd() ? nullptr : &keyboardLayout()[*it];
}
