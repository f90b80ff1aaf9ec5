#include "support/qt_test_support.h"

#include <QFile>

namespace kestrane::test {

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace kestrane::test
