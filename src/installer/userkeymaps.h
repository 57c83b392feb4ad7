#pragma once

#include "record/installrecord.h"

#include <QList>
#include <QString>

class JawsTarget;
class RunReport;

// The user's own key maps, which hide the merged shared ones from JAWS: each is moved aside
// (a numbered backup, then deleted) once the settings are committed, since that changes files
// at once.
class UserKeyMaps
{
public:
    UserKeyMaps(const JawsTarget &target, RunReport &run);
    UserKeyMaps(const UserKeyMaps &) = delete;
    UserKeyMaps &operator=(const UserKeyMaps &) = delete;

    // The key maps of a settings folder that would be moved, with their backups' names.
    QList<InstallRecord::KeyMap> of(const QString &settingsFolder) const;
    // Moves `keyMaps` aside, each line in the report.
    void moveAside(const QList<InstallRecord::KeyMap> &keyMaps);
    // Moves those of a settings folder aside.
    void reset(const QString &settingsFolder) { moveAside(of(settingsFolder)); }

private:
    const JawsTarget &m_target;
    RunReport &m_run;
};
