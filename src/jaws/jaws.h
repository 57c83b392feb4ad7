#pragma once

// Controls the JAWS screen reader: its installed folders, the running instance, closing it and
// starting it again. One object lives for the whole process and is built before the installer.
class Jaws
{
public:
    Jaws();
    Jaws(const Jaws &) = delete;
    Jaws &operator=(const Jaws &) = delete;
};
