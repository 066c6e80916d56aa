#pragma once
// Keyboard mnemonics for the main menu: Alt and a letter opens a menu, a
// letter picks an item of an open menu. Each visible title of a level gets
// one letter of its own (an ampersand before it); the words stay as they
// are. The menu bar's letters are the customary ones where the title has
// them; elsewhere the first free word start wins, then any free letter, and
// a title whose letters are all taken goes without.
#include "app/MainMenuModel.h"

class MenuMnemonics {
public:
    MenuMnemonics() = delete;

    // Marks every level of the menu tree (hidden items take no letter).
    static void assign(MainMenuModel &model);
    // The title with an ampersand before the letter at index; literal
    // ampersands doubled.
    static QString marked(const QString &title, qsizetype index);
    // Where the letter goes in title when taken holds the letters in use
    // (lower case); -1 when none is free. preferred is tried first.
    static qsizetype choose(const QString &title, const QString &taken, QChar preferred = QChar());
};
