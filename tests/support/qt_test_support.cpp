#include "support/qt_test_support.h"

#include <QFile>
#include <QFileInfo>

namespace kestrane::test {

QByteArray ReadBytes(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return QByteArray();
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace kestrane::test
