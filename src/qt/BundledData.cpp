#include "qt/BundledData.h"

#include <QFile>

namespace tav {

Q_LOGGING_CATEGORY(lcBundledData, "tavolin.data", QtWarningMsg)

QPixmap LoadPicture(const QString& path) {
    QPixmap picture(path);
    if (picture.isNull()) {
        qCWarning(lcBundledData, "picture %s cannot be loaded", qUtf8Printable(path));
    } else {
        qCDebug(lcBundledData, "picture %s loaded, %dx%d", qUtf8Printable(path), picture.width(), picture.height());
    }
    return picture;
}

QString BundledText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcBundledData, "text %s cannot be loaded", qUtf8Printable(path));
        return {};
    }
    const QString text = QString::fromUtf8(file.readAll());
    qCDebug(lcBundledData, "text %s loaded, %lld characters", qUtf8Printable(path), static_cast<long long>(text.size()));
    return text;
}

}  // namespace tav
