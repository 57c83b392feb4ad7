#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

class InstallPackage;
class JawsTarget;

// The files a run copies from the package into the JAWS folders, each source beside its
// destination, and which destinations were there before the copy. A run into every JAWS keeps
// the files of its earlier installations in the lists.
class CopyPlan
{
public:
    CopyPlan(const InstallPackage &package, JawsTarget &target);
    CopyPlan(const CopyPlan &) = delete;
    CopyPlan &operator=(const CopyPlan &) = delete;

    // Derives the target folders and lists every file to install; makes no folder (see
    // InstallRecorder::writeIntentRecord). False, listing nothing, when the package or JAWS
    // folder is missing.
    bool prepare();
    const QStringList &sourceFiles() const { return m_sourceFiles; }
    const QStringList &destinationFiles() const { return m_destinationFiles; }
    // The package file that the copy puts at `destination`; empty for none.
    QString sourceOf(const QString &destination) const;
    // Whether `destination` existed when the lists were made.
    bool existedBefore(const QString &destination) const;
    // Forgets which destinations existed: a new JAWS installation is chosen.
    void forgetExistingDestinations() { m_existingDestinations.clear(); }
    // Every file of the lists is at its destination with the same content. After prepare().
    bool allInPlace() const;
    // The folders that a target folder or a copied file needs and that are not there yet,
    // parents first, each once.
    QStringList missingFolders() const;

private:
    void appendTheFiles(const QString &sourceRoot, const QString &destinationFolder, const QStringList &toBeCopied);

    const InstallPackage &m_package;
    JawsTarget &m_target;
    QStringList m_sourceFiles;
    QStringList m_destinationFiles;
    // The package files of the copy lists, by the WindowsPath key of their destination.
    QHash<QString, QString> m_sourceOfDestination;
    QSet<QString> m_existingDestinations;
};
