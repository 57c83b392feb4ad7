#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

namespace Platform {

// The person who uses the machine, as opposed to the account that runs the installer: an
// installer that asks for administrator rights may run as another account (an administrator who
// typed a password over the user's shoulder, or SYSTEM under a deployment tool), and that
// account's folders and token are not the user's.
struct InteractiveUser
{
    // False when no user could be found (SYSTEM with nobody logged on at the console): the
    // other members then describe the account that runs the installer.
    bool found = false;
    // As Windows names accounts, "DOMAIN\name" where there is a domain.
    QString name;
    // Their roaming application data folder, asked for with their own token so that a
    // redirected folder is honoured; empty when the system cannot tell.
    QString appDataFolder;
};

// The user of the desktop session this program runs in (the owner of the session's shell), or,
// when it runs as SYSTEM, the user of the active console session.
//
// On systems without Windows, the simulated machine ($QUOROLMA_SYSTEM_ROOT) tells, in the file
// "session.ini" at its root:
//     [InteractiveUser]
//     Name=PC\alice
//     Sid=S-1-5-21-1-2-3-1001
// The user's folder is that of their profile in the registry's profile list (see userProfiles).
// "Name=" left empty: nobody is logged on. Without the file or the section: the account that
// runs the program is the user, with the machine's "AppData/Roaming".
InteractiveUser interactiveUser();

// Starts `program` (a full path, no arguments) as the interactive user, without administrator
// rights, in their session and desktop, with their environment, with `workingFolder` as its
// working folder, detached from this program. In a desktop session Explorer is asked to start it
// (the only start that grants uiAccess, which screen readers ask for), then the shell's token is
// tried; as SYSTEM, the user of an active session (console or Remote Desktop) gets it in their
// session. Never started elevated, nor as SYSTEM: false when no way is left (nobody logged on, no
// shell, a uiAccess program that only Explorer could have started), and true once the process
// exists or Explorer took the request.
//
// The stand-in starts the program as the account that runs it (it has no other), after adding
// one line to "started.txt" at the machine's root: the user's name, the program and the working
// folder, separated by "|", so that tests see as whom the program was asked to start. Nobody
// logged on (session.ini's "Name=" empty): nothing is started, as on Windows.
bool startAsInteractiveUser(const QString &program, const QString &workingFolder);

// Whether this program can reach the windows of the running process `processId`: false when
// that process runs in another session (a program run as SYSTEM while a user works), and when
// the system refuses to tell the sessions of processes. True for a process that is gone.
//
// The stand-in: false for a process whose program's full path the machine's "session.ini" lists
// under [OtherSession] as "Programs=PATH;PATH".
bool sessionReachable(quint64 processId);

// Whether a window of this program can be seen by anyone: false in session 0 (services, and
// deployment agents running as SYSTEM) and on a window station that is not the visible one.
//
// The stand-in: false when the machine's "session.ini" says "[ThisProcess]" "Session=0".
bool onVisibleDesktop();

// One profile of the machine's profile list
// (HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\ProfileList\<SID>).
struct UserProfile
{
    QString sid;
    QString name;          // the account's name; the profile folder's name when it cannot be told
    QString profileFolder; // ProfileImagePath, expanded
    // Their roaming application data: the redirected folder where Windows can tell, else
    // <profile folder>\AppData\Roaming.
    QString appDataFolder;
    // Whether the user is logged on (their registry is loaded): only then can a redirected folder
    // be known.
    bool loggedOn = false;
};

// Every profile of the profile list whose folder is known, in the registry's order. The stand-in
// reads the profile list from the simulated machine's registry.reg.
QList<UserProfile> userProfiles();

} // namespace Platform
