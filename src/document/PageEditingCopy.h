#pragma once
// The page file of a responsive edition is the responsive page a browser
// shows. That page lays its elements out by the grid and no longer says where
// each one sits on the canvas, in which section cell, or how it is styled for
// editing, so the file also carries the page in its editing form: the same
// page as the absolute layout writes it, every attribute in its rule. It rides
// at the end of the file in a script block of a type no browser runs, encoded
// so that nothing in it can end the block. Opening a page reads the editing
// form when there is one, else the file as it is.
#include <QString>

namespace PageEditingCopy {

// The published page with the editing page appended.
QString wrap(const QString &publishedPage, const QString &editingPage);
// The editing page a file carries, or the text itself when it carries none.
// A copy cut short or spoilt part-way gives the whole lines before the damage;
// one with nothing left of it leaves the page to be read as it stands.
QString editingPage(const QString &pageText);
// The page without the editing copy (what a mail or a browser needs).
QString publishedPage(const QString &pageText);
bool hasEditingCopy(const QString &pageText);

}  // namespace PageEditingCopy
