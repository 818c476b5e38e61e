// The insert dialog's pages.
#include "reference/insert_pages.h"

#include "reference/insertion.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

std::span<const InsertDialogPage> insertDialogPages() {
    static constexpr std::array pages = {
        InsertDialogPage{u"tb1", u"Button1", u"Button2", insert_mode::kSetinfo},
        InsertDialogPage{u"tb2", u"Button3", u"Button4", insert_mode::kBind},
        InsertDialogPage{u"tb3", u"Button5", u"Button6", insert_mode::kAlias},
    };
    return pages;
}

QStringList setinfoParameters() {
    return {u"_vgui_menus"_s, u"_ah"_s, u"ghosts"_s, u"dm"_s};
}

bool joinsHistory(const QStringList& items, const QString& text) {
    return !text.isEmpty() && !items.contains(text, Qt::CaseSensitive);
}
