<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="is">
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
    <name>ConclusionPage</name>
    <message>
        <source>Ending process</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error during installation. Please check the %1 file for details.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Installation correctly done.</source>
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
        <source>Warning</source>
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
        <source>ERROR : Unable to change key &apos;BrailleName&apos; OLMA into OLMA171 in jfw.ini file.</source>
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
</context>
</TS>
