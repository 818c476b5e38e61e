// The MetaBinds window wired to the key choice dialog and the wizard, as the program wires them:
// slots are filled through the real dialog, and the wizard's "MetaBinds" sends the result into
// its working document.
#include "keys/key_choice_dialog.h"
#include "metabinds/metabinds_window.h"
#include "shell/main_window.h"
#include "test_app.h"
#include "wizard/wizard_window.h"

#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(MetabWiring, KeysFromTheKeyChoiceDialogIntoTheWizard) {
    TestApp app;
    app.writeFile(app.programDir() + u"dlls/metabinds/a.mtb"_s,
                  "bind \"<<1>>\" a\r\nbind \"<<2>>\" b\r\n[MetaBind]\r\nname=A\r\nbut=2\r\n");
    app.createWindows();
    MetaBindsWindow* metaBinds = app.w().metaBinds;
    KeyChoiceDialog* keyChoice = app.w().keyChoice;
    ConfigWizard* wizard = app.w().wizard;
    // Their controls are looked up before they are first shown.
    metaBinds->ensureBuilt();
    keyChoice->ensureBuilt();
    wizard->ensureBuilt();
    auto* lx_bind = metaBinds->findChild<QListWidget*>(u"lx_bind"_s);
    auto* sb_bind = metaBinds->findChild<QToolButton*>(u"sb_bind"_s);
    auto* keyList = keyChoice->findChild<QListWidget*>(u"ListBox1"_s);
    auto* button49 = wizard->findChild<QPushButton*>(u"Button49"_s);
    ASSERT_TRUE(lx_bind && sb_bind && keyList && button49);
    // Chooses `key` in the key choice dialog once it is open, then OK or Отмена.
    auto choose = [&](int slot, const QString& key, bool ok) {
        lx_bind->setCurrentRow(slot - 1);
        QTimer::singleShot(0, keyChoice, [&, key, ok] {
            EXPECT_TRUE(keyChoice->isVisible());
            keyList->setCurrentItem(keyList->findItems(key, Qt::MatchExactly).value(0));
            keyChoice->findChild<QPushButton*>(ok ? u"Button1"_s : u"Button2"_s)->click();
        });
        sb_bind->click();
    };
    QTimer::singleShot(0, metaBinds, [&] {
        metaBinds->findChild<QListWidget*>(u"lx_MeB"_s)->setCurrentRow(0);
        choose(1, u"MOUSE1"_s, false);
        EXPECT_EQ(lx_bind->item(0)->text(), u"Кнопка <<1>>"_s);
        choose(1, u"MOUSE1"_s, true);
        choose(2, u"SPACE"_s, true);
        EXPECT_EQ(sb_bind->text(), u"Вставить"_s);
        sb_bind->click();
        metaBinds->reject();
    });
    button49->click();
    EXPECT_TRUE(
        wizard->workingSet().mem1.content().endsWith(u"bind \"MOUSE1\" a\nbind \"SPACE\" b"_s))
        << wizard->workingSet().mem1.content().toStdString();
    EXPECT_FALSE(app.w().mainWindow->documentText().contains(u"MOUSE1"_s));
}
