#include "goldentext.h"

#include "platform/safefiles.h"
#include "support/fixtures.h"
#include "support/textfiles.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>

namespace GoldenText {

namespace {

// What the system says when a file is to take the name of a folder: asked of it, as the copy
// asks it, since each system words it its own way.
QString folderInTheWayReason()
{
    QTemporaryDir scratch;
    const QString file = scratch.filePath(QStringLiteral("file"));
    const QString folder = scratch.filePath(QStringLiteral("folder"));
    if (!TextFiles::write(file, "x") || !QDir().mkdir(folder))
        return QStringLiteral("<no scratch folder>");
    return Platform::SafeFiles::rename(file, folder).reason();
}

} // namespace

QString golden(const QString &name)
{
    return QString::fromUtf8(Fixtures::read(QStringLiteral("golden/installation-") + name + QStringLiteral(".txt")))
        .replace(QStringLiteral("$FOLDER_IN_THE_WAY"), folderInTheWayReason());
}

bool sameText(const QString &actual, const QString &expectedText, const QString &name)
{
    const QStringList expected = expectedText.split(QLatin1Char('\n'));
    const QStringList lines = actual.split(QLatin1Char('\n'));
    for (int i = 0; i < qMax(expected.size(), lines.size()); ++i) {
        if (expected.value(i) != lines.value(i)) {
            qWarning("%s, line %d:\n  expected: %s\n  actual:   %s\n--- whole result:\n%s", qPrintable(name), i + 1,
                     qPrintable(expected.value(i)), qPrintable(lines.value(i)), qPrintable(actual));
            return false;
        }
    }
    return true;
}

bool sameAsGolden(const QString &actual, const QString &name)
{
    if (qEnvironmentVariableIsSet("IQO_GOLDEN_OUTPUT"))
        TextFiles::write(qEnvironmentVariable("IQO_GOLDEN_OUTPUT") + QStringLiteral("/installation-") + name + QStringLiteral(".txt"), actual.toUtf8());
    return sameText(actual, golden(name), name);
}

} // namespace GoldenText
