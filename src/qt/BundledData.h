#pragma once
// The program's read-only data, built into the binary as Qt resources from resources/ of the
// source tree, so that a copied or installed program has them wherever it runs: the welcome
// window's pictures (":/welcome/...") and the help text (":/help/..."). What is loaded is told
// on the logging category "tavolin.data": a debug line for each item loaded, a warning for one
// that cannot be (QT_LOGGING_RULES="tavolin.data.debug=true" shows both).

#include <QLoggingCategory>
#include <QPixmap>
#include <QString>

namespace tav {

Q_DECLARE_LOGGING_CATEGORY(lcBundledData)

// A picture of a picture box: a resource path (":/...") or an image file.
QPixmap LoadPicture(const QString& path);

// A text of the program's resources in UTF-8; empty when it is missing.
QString BundledText(const QString& path);

}  // namespace tav
