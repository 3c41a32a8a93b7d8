#pragma once
#include <QString>
#include <QStringList>

namespace skingen {

// Draws every skin picture into `folder`; returns the relative names written,
// or an empty list after the first picture that cannot be saved.
QStringList DrawAllPictures(const QString& folder, QString* error);

}  // namespace skingen
