#pragma once

#include <QList>
#include <QString>

// The Korvalis display models, in the order of the choice page's list and of the sections of
// the driver's braille.ini: the one list of supported displays.
struct Device
{
    QString listText;   // the row of the choice page (not translated)
    QString deviceName; // its section in the driver's braille.ini
    QString shortName;  // "BrailleDisplay" of default.jcf
    QString longName;   // jfw.ini's Braille<N>LongName
    QString name;       // jfw.ini's Braille<N>Name
    QString driver;     // jfw.ini's Braille<N>Driver
    QString port;       // jfw.ini's Braille<N>Port
    QString reportName; // how the report names its jfw.ini entry
    QString option;     // its name after --display on the command line
};

const QList<Device> &deviceTable();
