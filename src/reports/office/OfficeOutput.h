#pragma once

#include <QString>

// Where finished office documents go. Both writers build their file in a
// staging folder of their own first; only a complete file is ever published.
namespace kvam {

// Copies the finished file staged to path through QSaveFile, so path holds
// either its former content or the whole new document, never a part of it.
bool publishDocument(const QString &staged, const QString &path, QString *error);

// Publishes staged under AppDir/temp/ with a new, unused name ending in
// suffix (".xlsx", ".docx") and hands it to documentOpener(). The program
// never saves the documents it shows anywhere else; the user saves them.
bool showDocument(const QString &staged, const QString &suffix, QString *error);

} // namespace kvam
