#pragma once

#include "installer/configuration.h"
#include "installer/jawsinstaller.h"

// Runs configuration steps in a configuration of their own and commits it, as configureJaws
// does with all of them.
template<typename Steps>
void configured(JawsInstaller &installer, const Steps &steps)
{
    Configuration configuration;
    steps(configuration);
    installer.jawsConfiguration().commit(configuration);
}
