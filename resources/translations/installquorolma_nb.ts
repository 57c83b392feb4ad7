<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nb">
<context>
    <name>AppsListEntry</name>
    <message>
        <source>%1 could not be copied to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QuorOlma braille driver for JAWS %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the Program Files folder is unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the registry key HKEY_LOCAL_MACHINE\%1 could not be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NOTE : The driver could not be added to Windows&apos; list of apps (%1). It works all the same.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : &quot;%1&quot; added to Windows&apos; list of apps.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : The entry of %1 in Windows&apos; list of apps could not be deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : The program&apos;s copy in %1 could not be deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : The driver&apos;s entry for %1 deleted from Windows&apos; list of apps.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : The driver&apos;s own entry in Windows&apos; list of apps gave way to its Windows Installer package&apos;s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : Windows&apos; list of apps lists the driver by its Windows Installer package.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CollectInfoPage</name>
    <message>
        <source>Please select Jaws installation folder and your Braille device.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Jaws folders:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Braille devices:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Install without a window or a message box.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Braille display to make the default one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Also write the installation report to this file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Leave JAWS closed if the installation had to close it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the program&apos;s version and end.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1, --%2, --%3 and --%4 are for an installation with --%5.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected argument: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 is given more than once.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 needs a value.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown display: %1. Known displays: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installs the Korvalis Braille driver into JAWS. Without options, the installation wizard opens.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Example:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit codes of --unattended:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>installed with errors (the report&apos;s ERROR lines say which)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>wrong usage: nothing was done</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such JAWS installation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the installation package is incomplete: nothing was installed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The JAWS program folder to install into, &quot;latest&quot; for the JAWS of the highest version, or &quot;all&quot; for every JAWS installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FOLDER|latest|all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrupted: nothing more was copied or configured</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configure the user settings of every user who has settings for this JAWS, not only those of the user who is logged on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 is for an installation with --%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JAWS could not be closed, or runs where this program cannot reach it (then nothing was installed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the driver from the JAWS named by --jaws, restoring what its installations changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 and --%2 are for an installation, not with --%3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows-style switches work too, in any case: /unattended /jaws /display /log /norestart /remove /?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit codes of --unattended --remove:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>removed, or nothing of the driver to remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>removed with errors (the report&apos;s ERROR lines say which)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JAWS could not be closed, or runs where this program cannot reach it: nothing was removed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>another installation or removal runs on this computer: nothing was done, try again later</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrupted: nothing more was removed; remove again to finish</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Run by the driver&apos;s Windows Installer package: its entry in Windows&apos; list of apps and its files stand for the driver&apos;s own entries and the program&apos;s copy, which are not written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The identifier to record this installation run under, so that it can be taken back alone later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take back the installation run with this identifier alone, in the JAWS named by --jaws: the machine is then as the runs before it left it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 is for a run with --%2, without --%3 and --%4.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 %2 is not a run identifier: 1 to 64 letters, digits, &apos;-&apos;, &apos;_&apos;, &apos;.&apos;, &apos;{&apos; or &apos;}&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ConclusionPage</name>
    <message>
        <source>Ending process</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click %1 to end the installation process.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CopyFilesPage</name>
    <message>
        <source>Installation in progress...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installation into %1 folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jaws will be closed while copying files. It will be automatically restarted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy finished.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Installation cancelled by the user. The files copied so far stay; the settings of Jaws were not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Jaws folder %1 or installation folder %2 not found: no file was copied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Jaws could not be closed. Please restart Jaws after the installation.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InstallWizard</name>
    <message>
        <source>&amp;Next&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Korvalis driver for Jaws</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Installation</name>
    <message>
        <source>The driver is installed in %1 already: left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Jaws could not be started again from %1. Please start Jaws yourself.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installation run: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>InstallerApplication</name>
    <message>
        <source>Another installation or removal of the Korvalis Braille driver is running on this computer: nothing was done. Try again once it has ended.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IntroPage</name>
    <message>
        <source>This wizard will install the QuorOlma Braille driver %1.

The driver is compatible with:
- Quor range of products
- Olma range of products (firmware version 1.71 or higher).

Use the Tab key to go to the next button.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>JawsInstaller</name>
    <message>
        <source>Error while merging &apos;%1&apos; section of %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Key &apos;BrailleName&apos; OLMA has been changed into OLMA171 in jfw.ini file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No JAWS settings folder: the default Braille device was not selected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&apos;%1&apos; Braille device selected in %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to select &apos;%1&apos; Braille device in %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : No Braille device of this driver was chosen: the default Braille device was not selected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : %1 is missing from the installation package: nothing was installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : %1 of the installation package has no [%2] section: nothing was installed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : The installation package names no keyboard Braille table in its [%1] section: %2 was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Jaws settings folder %1 not found: nothing was configured there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No jfw.ini file was found in %1 nor in the shared settings folder %2: it has been created in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Unable to change key &apos;BrailleName&apos; OLMA into OLMA171 in jfw.ini file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The package file %1 could not be deleted: it stays.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The package file %1 could not be deleted (%2): it stays.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User settings: those of every user of this computer who has settings for the chosen Jaws.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No interactive user was found: the user settings are those of %1, the account that runs the installation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User settings: those of %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User %1 has no settings for this Jaws: left untouched.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User settings of %1 in %2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : The record of this installation could not be written to %1: it cannot be removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The earlier installation record %1 could not be read: it is kept as %2, and a new one begins.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User %1 is not logged on: their settings are left as they are (where Windows keeps them is known only while they are logged on). They get the display from the shared settings, or from a run while they are logged on.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : The record of this installation could not be written to %1: nothing was copied.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PageParts</name>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Removal</name>
    <message>
        <source>Removal from %1 folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Korvalis Braille driver has no installation record in %1: nothing was removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore the settings files of JAWS that the installation changed, keeping what was changed since.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Put back the key maps that the installation moved aside.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the driver&apos;s files from %1, or put back the files they replaced.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the installation record and the folders the installation created, when they are empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Jaws could not be closed: nothing was removed. Please close Jaws and remove the driver again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Removal cancelled by the user: nothing was removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is no longer there: it was not restored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : %1 restored as it was before the installation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : %1 could not be restored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[%1] %2 in %3 was changed since the installation: it was kept as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : The values the installation wrote in %1 were restored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : The values the installation wrote in %1 could not be restored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was made again since the installation: it was kept; the earlier one is %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : %1 could not be put back: its backup %2 is gone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : %1 put back from %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : %1 could not be put back from %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 was changed since the installation: it was kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installation record %1 is kept: remove the driver again once the errors above are mended.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : %1 folder removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : The installation record names %1, which lies outside this JAWS installation and its settings: it was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup %1 was changed since the installation: %2 was restored value by value instead.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : %1 was not put back: its backup %2 was changed since the installation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : The installation record %1 is damaged or cannot be read: nothing was removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JAWS is no longer installed in %1: nothing of the driver is left there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Removal interrupted: what is listed above was done, the rest was not. The installation record is kept: remove the driver again to finish.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last installation into %1 never finished: it was stopped before JAWS was configured. The files it copied are removed with the rest.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Taking back the installation run %1 from %2 folder...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installation run %1 left no change recorded in %2: nothing was taken back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>one of an earlier program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : The installation run %1 cannot be taken back alone: later runs built on it in %2 (%3). Take those back first, the latest first: nothing was taken back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : The installation record %1 could not be written: remove the driver again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : The installation record %1 now holds the earlier installations alone.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NOTE : Windows&apos; list of apps could not be told the driver&apos;s version.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemovalChoicePage</name>
    <message>
        <source>Please select the Jaws installation to remove the Korvalis Braille driver from.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Jaws folders:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jaws %1 in %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemovalConclusionPage</name>
    <message>
        <source>End of the removal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click %1 to end the removal.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemovalPlanPage</name>
    <message>
        <source>&amp;What will be done:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jaws %1 in %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the Jaws in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Korvalis Braille driver will be removed from %1, and the settings it changed put back as they were.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Korvalis Braille driver has no installation record in %1: there is nothing to remove.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installation record of the Korvalis Braille driver in %1 is damaged or cannot be read: nothing can be removed. The removal report says more.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemovalProgressPage</name>
    <message>
        <source>Removal in progress...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jaws will be closed while the driver is removed. It will be automatically restarted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removal finished.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RemovalWizard</name>
    <message>
        <source>&amp;Next&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removing the Korvalis driver from Jaws</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Installation %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : [%1] section has been added to %2 file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Unable to add [%1] section to %2 file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : &apos;%1&apos; Braille table selected in %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Unable to select &apos;%1&apos; Braille table in %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : %1 folder successfully created.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Unable to create %1 folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : %1 file successfully copied.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Unable to copy %1 file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : %1 file successfully saved.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Unable to save %1 file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK : %1 file successfully deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : Unable to delete %1 file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open file %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removal %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : %1 is a link: it was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ERROR : %1 is not a plain file: it was left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RunSummary</name>
    <message>
        <source>Installation correctly done.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error during installation. The report is on the standard error stream.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error during installation. Please check the %1 file for details.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No installation report could be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installation report is %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removal correctly done.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error during removal. The report is on the standard error stream.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error during removal. Please check the %1 file for details.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Korvalis Braille driver is installed in no Jaws on this computer: there is nothing to remove.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Korvalis Braille driver is not installed in %1: there is nothing to remove.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed. What was changed since the installation was kept: the removal report names it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed, with errors: please read the removal report.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The removal was cancelled: nothing was removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jaws could not be closed: nothing was removed. Please close Jaws and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was removed: please read the removal report.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No removal report could be written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The removal report is %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installation run %1 is taken back.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UnattendedRun</name>
    <message>
        <source>%1 is not a JAWS installation of this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No JAWS installation was found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JAWS installations: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Started without the wizard: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installing the Korvalis Braille driver into %1 for the %2 display...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Closing JAWS...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copying files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Configuring JAWS...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report could not be written to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Passed over: %1 holds no JAWS program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interrupted: stopping the installation...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installed already: left as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JAWS is running in a session that this program cannot reach (it runs as another account while a user works): nothing was installed. Run the installation again when JAWS is not running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interrupted: stopping the removal...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removing the Korvalis Braille driver from %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removing and restoring files...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing of the driver to remove: no installation record in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a plain file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 lies among the files of JAWS or of its settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report cannot be written to --log %1: %2 Nothing was done.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installation record in %1 is damaged or cannot be read: nothing was removed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NOTE : The report could not be written to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JAWS is running in a session that this program cannot reach (it runs as another account while a user works): nothing was removed. Run the removal again when JAWS is not running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interrupted: a file could not be reached in time; the removal ends here. Remove the driver again to finish.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Interrupted: a file could not be reached in time; the installation ends here, each file whole. Run it again to finish.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Taking back the installation run %1 from %2...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installation run %1 cannot be taken back alone in %2: later runs built on it. Take those back first, the latest first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The installation run %1 left no change recorded in %2: nothing to take back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installation run: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
