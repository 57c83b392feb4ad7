#include "platform/safefiles.h"

#include "support/links.h"
#include "support/textfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#endif

using Platform::SafeFiles;

// The system's codes for the failures the rows provoke, in each build's own terms: failures
// that the system gives to an administrator and to root alike.
namespace Code {
#ifdef Q_OS_WIN
constexpr int missingFile = ERROR_FILE_NOT_FOUND; // the first missing name on the way, too
constexpr int exists = ERROR_FILE_EXISTS;
constexpr int folderInTheWay = ERROR_ACCESS_DENIED;
constexpr int notEmpty = ERROR_DIR_NOT_EMPTY;
#else
constexpr int missingFile = ENOENT;
constexpr int exists = EEXIST;
constexpr int folderInTheWay = EISDIR;
constexpr int notEmpty = ENOTEMPTY;
#endif
} // namespace Code

// What stands at a name of the working folder before the operation, beside "plain" (a plain
// file) and "folder" (a folder that holds a file).
enum class Layout {
    Plain,
    LinkOnTheWay, // "dir": a symbolic link to a folder outside, which holds "file"
    LinkAsTheFile, // "file": a symbolic link to a secret file outside
    Pipe, // "file": a named pipe that no one writes
    HardLink, // "file": a second name of the secret file outside
    Unreadable, // "locked": a folder its owner may not enter, which holds "file"
};

enum class Operation {
    Read,
    OpenRead,
    OpenAppend,
    OpenRewrite,
    OpenNew,
    Replace,
    Remove,
    CreateNew,
    MakeFolders, // of the name and a "sub" folder below it
    Rename, // "plain" to the name
    RemoveEmptyFolder,
    MakeOwnFolder,
    OpenSource,
};

Q_DECLARE_METATYPE(Layout)
Q_DECLARE_METATYPE(Operation)
Q_DECLARE_METATYPE(SafeFiles::Status)

class tst_SafeFiles : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void operations_data();
    void operations();
    void folderSwappedForALinkMidway();

private:
    QString inside(const QString &name) const { return m_scratch->filePath(QStringLiteral("inside/") + name); }
    QString outside(const QString &name) const { return m_scratch->filePath(QStringLiteral("outside/") + name); }

    std::unique_ptr<QTemporaryDir> m_scratch;
    QStringList m_links;
};

namespace {

const QByteArray secret = "only the administrator may read this";

SafeFiles::Result perform(Operation operation, const QString &path, const QString &plain, SafeFiles::Refusal *refusal)
{
    QFile file;
    QByteArray bytes;
    switch (operation) {
    case Operation::Read: return SafeFiles::read(path, &bytes, refusal);
    case Operation::OpenRead: return SafeFiles::open(path, file, QIODevice::ReadOnly, refusal);
    case Operation::OpenAppend: return SafeFiles::open(path, file, QIODevice::ReadWrite | QIODevice::Append, refusal);
    case Operation::OpenRewrite: {
        const SafeFiles::Result result = SafeFiles::open(path, file, QIODevice::WriteOnly | QIODevice::Truncate, refusal);
        if (result == SafeFiles::Status::Done)
            file.write("rewritten");
        return result;
    }
    case Operation::OpenNew: {
        const SafeFiles::Result result = SafeFiles::open(path, file, QIODevice::WriteOnly | QIODevice::NewOnly, refusal);
        if (result == SafeFiles::Status::Done)
            file.write("new");
        return result;
    }
    case Operation::Replace: return SafeFiles::replace(path, QByteArrayView("replaced"), refusal);
    case Operation::Remove: return SafeFiles::remove(path, refusal);
    case Operation::CreateNew: return SafeFiles::createNew(path, "created", QString(), refusal);
    case Operation::MakeFolders: return SafeFiles::makeFolders(path + QStringLiteral("/sub"), nullptr, refusal);
    case Operation::Rename: return SafeFiles::rename(plain, path, refusal);
    case Operation::RemoveEmptyFolder: return SafeFiles::removeEmptyFolder(path, refusal);
    case Operation::MakeOwnFolder: return SafeFiles::makeOwnFolder(path, refusal);
    case Operation::OpenSource: return SafeFiles::openSource(path, file, refusal);
    }
    return SafeFiles::Result(SafeFiles::Status::Failed);
}

// What a name holds afterwards, as a user would find it: its bytes (read through a link),
// "<folder>", "<pipe>" or "<none>".
QByteArray holding(const QString &path)
{
    const QFileInfo info(path);
#ifndef Q_OS_WIN
    struct stat status;
    if (::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode))
        return "<pipe>";
#endif
    if (!info.exists())
        return "<none>";
    if (info.isDir())
        return "<folder>";
    return TextFiles::read(path);
}

} // namespace

void tst_SafeFiles::init()
{
    m_scratch = std::make_unique<QTemporaryDir>();
    QVERIFY(m_scratch->isValid());
    QDir root(m_scratch->path());
    QVERIFY(root.mkpath(QStringLiteral("inside/folder")) && root.mkpath(QStringLiteral("outside/foreign")));
    QVERIFY(TextFiles::write(inside(QStringLiteral("plain")), "plain"));
    QVERIFY(TextFiles::write(inside(QStringLiteral("folder/x")), "x"));
    QVERIFY(TextFiles::write(outside(QStringLiteral("secret")), secret));
    QVERIFY(TextFiles::write(outside(QStringLiteral("foreign/file")), "foreign"));
    // Walked from the scratch folder down, as from the JAWS folder: the temporary folder itself
    // may lie behind a link the system made.
    SafeFiles::setTrustedRoots({ m_scratch->path() });
}

void tst_SafeFiles::cleanup()
{
    for (const QString &link : std::as_const(m_links))
        removeLink(link);
    m_links.clear();
#ifndef Q_OS_WIN
    ::chmod(QFile::encodeName(inside(QStringLiteral("locked"))).constData(), 0700);
#endif
    m_scratch.reset();
    SafeFiles::setTrustedRoots({});
}

// Each row: what stands in the working folder, the operation on one of its names, what it comes
// to, the name refused (and whether as a link), the system's code of a failure, and what the name
// holds afterwards. Whatever the row, nothing outside the working folder changes.
void tst_SafeFiles::operations_data()
{
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<Operation>("operation");
    QTest::addColumn<QString>("name");
    QTest::addColumn<SafeFiles::Status>("status");
    QTest::addColumn<QString>("refused"); // the last name of the refusal's path
    QTest::addColumn<bool>("link");
    QTest::addColumn<int>("error"); // the system's code that a failure carries
    QTest::addColumn<QByteArray>("holds");

    using S = SafeFiles::Status;
    // The failures the system gives, each with its code and text.
    QTest::newRow("a missing file read") << Layout::Plain << Operation::Read << "missing" << S::Failed << "" << false << Code::missingFile << QByteArray("<none>");
    QTest::newRow("a missing file deleted") << Layout::Plain << Operation::Remove << "missing" << S::Failed << "" << false << Code::missingFile << QByteArray("<none>");
    QTest::newRow("a file below a missing folder read") << Layout::Plain << Operation::Read << "none/file" << S::Failed << "" << false << Code::missingFile << QByteArray("<none>");
    QTest::newRow("an own folder below a missing folder") << Layout::Plain << Operation::MakeOwnFolder << "none/own" << S::Failed << "" << false << Code::missingFile << QByteArray("<none>");
    QTest::newRow("a new file over a file") << Layout::Plain << Operation::CreateNew << "plain" << S::Failed << "" << false << Code::exists << QByteArray("plain");
    QTest::newRow("a file opened new over a file") << Layout::Plain << Operation::OpenNew << "plain" << S::Failed << "" << false << Code::exists << QByteArray("plain");
    QTest::newRow("a file renamed onto a folder") << Layout::Plain << Operation::Rename << "folder" << S::Failed << "" << false << Code::folderInTheWay << QByteArray("<folder>");
    QTest::newRow("a folder that holds a file removed as empty") << Layout::Plain << Operation::RemoveEmptyFolder << "folder" << S::Failed << "" << false << Code::notEmpty << QByteArray("<folder>");
    // Refused by the program: no system code, the name named.
    QTest::newRow("a folder read as a file") << Layout::Plain << Operation::Read << "folder" << S::Refused << "folder" << false << 0 << QByteArray("<folder>");
    QTest::newRow("a folder replaced as a file") << Layout::Plain << Operation::Replace << "folder" << S::Refused << "folder" << false << 0 << QByteArray("<folder>");
    QTest::newRow("a file where a folder must be, read through") << Layout::Plain << Operation::Read << "plain/x" << S::Refused << "plain" << false << 0 << QByteArray("<none>");
    QTest::newRow("a file where a folder must be, made") << Layout::Plain << Operation::MakeFolders << "plain" << S::Refused << "plain" << false << 0 << QByteArray("plain");
    // Done.
    QTest::newRow("a file replaced") << Layout::Plain << Operation::Replace << "plain" << S::Done << "" << false << 0 << QByteArray("replaced");
    QTest::newRow("a file opened new") << Layout::Plain << Operation::OpenNew << "new" << S::Done << "" << false << 0 << QByteArray("new");
    QTest::newRow("a file renamed") << Layout::Plain << Operation::Rename << "moved" << S::Done << "" << false << 0 << QByteArray("plain");
    QTest::newRow("an own folder made") << Layout::Plain << Operation::MakeOwnFolder << "own" << S::Done << "" << false << 0 << QByteArray("<folder>");
    QTest::newRow("an own folder taken as it is") << Layout::Plain << Operation::MakeOwnFolder << "folder" << S::Done << "" << false << 0 << QByteArray("<folder>");

    // A link to a folder on the way: every operation refuses it, and nothing reaches the folder
    // it leads to. Wine shows such a link as a reparse point, as Windows shows a junction.
    const QList<QPair<const char *, Operation>> everyOperation{
        { "read", Operation::Read },
        { "opened to read", Operation::OpenRead },
        { "opened to add to", Operation::OpenAppend },
        { "opened to rewrite", Operation::OpenRewrite },
        { "opened new", Operation::OpenNew },
        { "replaced", Operation::Replace },
        { "deleted", Operation::Remove },
        { "made new", Operation::CreateNew },
        { "made as folders", Operation::MakeFolders },
        { "renamed to", Operation::Rename },
        { "removed as an empty folder", Operation::RemoveEmptyFolder },
        { "made as an own folder", Operation::MakeOwnFolder },
        { "opened as a copy's source", Operation::OpenSource },
    };
    for (const auto &[what, operation] : everyOperation) {
        QTest::addRow("link on the way: %s", what)
            << Layout::LinkOnTheWay << operation << "dir/file" << S::Refused << "dir" << true << 0 << QByteArray("foreign");
    }

#ifndef Q_OS_WIN
    // Wine follows a link to a file as if it were the file: these rows run natively only.
    QTest::newRow("link as the file: read") << Layout::LinkAsTheFile << Operation::Read << "file" << S::Refused << "file" << true << 0 << secret;
    QTest::newRow("link as the file: opened to read") << Layout::LinkAsTheFile << Operation::OpenRead << "file" << S::Refused << "file" << true << 0 << secret;
    QTest::newRow("link as the file: opened to add to") << Layout::LinkAsTheFile << Operation::OpenAppend << "file" << S::Refused << "file" << true << 0 << secret;
    QTest::newRow("link as the file: opened to rewrite") << Layout::LinkAsTheFile << Operation::OpenRewrite << "file" << S::Refused << "file" << true << 0 << secret;
    QTest::newRow("link as the file: opened as a copy's source") << Layout::LinkAsTheFile << Operation::OpenSource << "file" << S::Refused << "file" << true << 0 << secret;
    QTest::newRow("link as the file: replaced") << Layout::LinkAsTheFile << Operation::Replace << "file" << S::Refused << "file" << true << 0 << secret;
    QTest::newRow("link as the file: deleted") << Layout::LinkAsTheFile << Operation::Remove << "file" << S::Refused << "file" << true << 0 << secret;
    QTest::newRow("link as the file: removed as an empty folder") << Layout::LinkAsTheFile << Operation::RemoveEmptyFolder << "file" << S::Refused << "file" << true << 0 << secret;
    QTest::newRow("link as the file: made as folders") << Layout::LinkAsTheFile << Operation::MakeFolders << "file" << S::Refused << "file" << true << 0 << secret;
    QTest::newRow("link as the file: made as an own folder") << Layout::LinkAsTheFile << Operation::MakeOwnFolder << "file" << S::Refused << "file" << true << 0 << secret;
    QTest::newRow("link as the file: made new") << Layout::LinkAsTheFile << Operation::CreateNew << "file" << S::Failed << "" << false << EEXIST << secret;
    QTest::newRow("link as the file: opened new") << Layout::LinkAsTheFile << Operation::OpenNew << "file" << S::Failed << "" << false << EEXIST << secret;
    // The rename replaces the link's name, never what it points to.
    QTest::newRow("link as the file: renamed to") << Layout::LinkAsTheFile << Operation::Rename << "file" << S::Done << "" << false << 0 << QByteArray("plain");

    // A named pipe that no one writes is refused at once, never waited for.
    QTest::newRow("pipe: read") << Layout::Pipe << Operation::Read << "file" << S::Refused << "file" << false << 0 << QByteArray("<pipe>");
    QTest::newRow("pipe: opened to read") << Layout::Pipe << Operation::OpenRead << "file" << S::Refused << "file" << false << 0 << QByteArray("<pipe>");
    QTest::newRow("pipe: opened to add to") << Layout::Pipe << Operation::OpenAppend << "file" << S::Refused << "file" << false << 0 << QByteArray("<pipe>");
    QTest::newRow("pipe: opened to rewrite") << Layout::Pipe << Operation::OpenRewrite << "file" << S::Failed << "" << false << ENXIO << QByteArray("<pipe>");
    QTest::newRow("pipe: replaced") << Layout::Pipe << Operation::Replace << "file" << S::Refused << "file" << false << 0 << QByteArray("<pipe>");
    QTest::newRow("pipe: deleted") << Layout::Pipe << Operation::Remove << "file" << S::Refused << "file" << false << 0 << QByteArray("<pipe>");
    QTest::newRow("pipe: made new") << Layout::Pipe << Operation::CreateNew << "file" << S::Failed << "" << false << EEXIST << QByteArray("<pipe>");

    // A second name of a file outside: what is written takes the name's place, so the file
    // outside keeps its bytes.
    QTest::newRow("hard link: read") << Layout::HardLink << Operation::Read << "file" << S::Done << "" << false << 0 << secret;
    QTest::newRow("hard link: replaced") << Layout::HardLink << Operation::Replace << "file" << S::Done << "" << false << 0 << QByteArray("replaced");
    QTest::newRow("hard link: deleted") << Layout::HardLink << Operation::Remove << "file" << S::Done << "" << false << 0 << QByteArray("<none>");
    QTest::newRow("hard link: renamed to") << Layout::HardLink << Operation::Rename << "file" << S::Done << "" << false << 0 << QByteArray("plain");
    QTest::newRow("hard link: made new") << Layout::HardLink << Operation::CreateNew << "file" << S::Failed << "" << false << EEXIST << secret;

    // Denied by the file's rights: root is never denied, so the row skips there.
    QTest::newRow("a folder its owner may not enter") << Layout::Unreadable << Operation::Read << "locked/file" << S::Failed << "" << false << EACCES << QByteArray("<none>");
#endif
}

void tst_SafeFiles::operations()
{
    QFETCH(Layout, layout);
    QFETCH(Operation, operation);
    QFETCH(QString, name);
    QFETCH(SafeFiles::Status, status);
    QFETCH(QString, refused);
    QFETCH(bool, link);
    QFETCH(int, error);
    QFETCH(QByteArray, holds);

    switch (layout) {
    case Layout::Plain: break;
    case Layout::LinkOnTheWay:
        QVERIFY(plantLink(outside(QStringLiteral("foreign")), inside(QStringLiteral("dir"))));
        m_links << inside(QStringLiteral("dir"));
        break;
    case Layout::LinkAsTheFile:
        QVERIFY(plantLink(outside(QStringLiteral("secret")), inside(QStringLiteral("file"))));
        m_links << inside(QStringLiteral("file"));
        break;
    case Layout::Pipe:
#ifndef Q_OS_WIN
        QCOMPARE(::mkfifo(QFile::encodeName(inside(QStringLiteral("file"))).constData(), 0644), 0);
#endif
        break;
    case Layout::HardLink:
        QVERIFY(TextFiles::hardLink(outside(QStringLiteral("secret")), inside(QStringLiteral("file"))));
        break;
    case Layout::Unreadable:
#ifndef Q_OS_WIN
        if (::geteuid() == 0)
            QSKIP("root may enter any folder");
        QVERIFY(QDir().mkdir(inside(QStringLiteral("locked"))));
        QVERIFY(TextFiles::write(inside(QStringLiteral("locked/file")), "locked"));
        QCOMPARE(::chmod(QFile::encodeName(inside(QStringLiteral("locked"))).constData(), 0), 0);
        holds = "locked"; // as its owner finds it again
#endif
        break;
    }

    SafeFiles::Refusal refusal;
    const SafeFiles::Result result = perform(operation, inside(name), inside(QStringLiteral("plain")), &refusal);

    QCOMPARE(result.status(), status);
    if (status == SafeFiles::Status::Refused) {
        QCOMPARE(QDir::fromNativeSeparators(refusal.path), QDir::cleanPath(inside(refused)));
        QCOMPARE(refusal.link, link);
    }
    // A code, and the system's text for it, exactly when the system failed the step.
    QCOMPARE(result.error(), error);
    QCOMPARE(result.reason().isEmpty(), error == 0);
    if (error != 0) {
        QCOMPARE(result.reason(), SafeFiles::errorText(error));
        QCOMPARE(result.reason(), result.reason().trimmed()); // no line end of the system's
#ifndef Q_OS_WIN
        QCOMPARE(result.reason(), QString::fromLocal8Bit(std::strerror(error)));
#endif
    }
#ifndef Q_OS_WIN
    if (layout == Layout::Unreadable)
        QCOMPARE(::chmod(QFile::encodeName(inside(QStringLiteral("locked"))).constData(), 0700), 0);
#endif
    QCOMPARE(holding(inside(name)), holds);
    // Nothing outside changed, nothing was made there.
    QCOMPARE(TextFiles::read(outside(QStringLiteral("secret"))), secret);
    QCOMPARE(TextFiles::read(outside(QStringLiteral("foreign/file"))), QByteArray("foreign"));
    QCOMPARE(QDir(outside(QStringLiteral("foreign"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
             QStringList{ QStringLiteral("file") });
    QCOMPARE(QDir(outside(QString())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
             (QStringList{ QStringLiteral("foreign"), QStringLiteral("secret") }));
}

// The folder that holds a file being replaced is renamed and a link to a folder outside put in
// its place while the new content is written, between the walk and the rename: the new file
// still lands in the folder that was walked (natively it is reached by the descriptor held since;
// on Windows the folder, held open, cannot be renamed at all), never in the folder outside.
void tst_SafeFiles::folderSwappedForALinkMidway()
{
    const QString folder = inside(QStringLiteral("swap"));
    const QString moved = inside(QStringLiteral("swap.moved"));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(TextFiles::write(folder + QStringLiteral("/file"), "old"));

    bool swapped = false;
    const SafeFiles::Result result = SafeFiles::replace(folder + QStringLiteral("/file"), [&](QIODevice &out) {
        swapped = QDir().rename(folder, moved);
        if (swapped && plantLink(outside(QStringLiteral("foreign")), folder))
            m_links << folder;
        return out.write("new") == 3;
    });

    QCOMPARE(result.status(), SafeFiles::Status::Done);
#ifdef Q_OS_WIN
    QVERIFY2(!swapped, "a folder held open without FILE_SHARE_DELETE was renamed");
#else
    QVERIFY(swapped);
    QCOMPARE(m_links.size(), 1);
#endif
    QCOMPARE(TextFiles::read((swapped ? moved : folder) + QStringLiteral("/file")), QByteArray("new"));
    QCOMPARE(TextFiles::read(outside(QStringLiteral("foreign/file"))), QByteArray("foreign"));
    QCOMPARE(QDir(outside(QStringLiteral("foreign"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
             QStringList{ QStringLiteral("file") });
}

QTEST_GUILESS_MAIN(tst_SafeFiles)
#include "tst_safefiles.moc"
