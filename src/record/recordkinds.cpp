// The kinds of change the install record knows: one line each.
#include "record/filechange.h"
#include "record/folderchange.h"
#include "record/keymapchange.h"
#include "record/recordkind.h"
#include "record/sectionchange.h"
#include "record/settingschange.h"
#include "record/valuechange.h"

#include <algorithm>

const QList<const RecordKind *> &RecordKind::all()
{
    static const FileChange files;
    static const FolderChange folders;
    static const SettingsChange settings;
    static const ValueChange values;
    static const SectionChange sections;
    static const KeyMapChange keyMaps;
    static const QList<const RecordKind *> kinds{ &files, &folders, &settings, &values, &sections, &keyMaps };
    return kinds;
}

QList<const RecordKind *> RecordKind::inUndoOrder()
{
    QList<const RecordKind *> kinds = all();
    std::stable_sort(kinds.begin(), kinds.end(), [](const RecordKind *a, const RecordKind *b) { return a->undoRank() < b->undoRank(); });
    return kinds;
}
