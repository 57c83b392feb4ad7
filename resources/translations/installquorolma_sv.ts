<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv">
<context>
    <name>CollectInfoPage</name>
    <message>
        <source>Please select Jaws installation folder and your Braille device.</source>
        <translation>Välj installationsmappen för Jaws och din punktskriftsdisplay.</translation>
    </message>
    <message>
        <source>&amp;Jaws folders:</source>
        <translation>&amp;Jaws-mappar:</translation>
    </message>
    <message>
        <source>&amp;Braille devices:</source>
        <translation>&amp;Punktskriftsdisplayer:</translation>
    </message>
</context>
<context>
    <name>ConclusionPage</name>
    <message>
        <source>Ending process</source>
        <translation>Installationen avslutas</translation>
    </message>
    <message>
        <source>Error during installation. Please check the %1 file for details.</source>
        <translation>Ett fel inträffade under installationen. Se filen %1 för mer information.</translation>
    </message>
    <message>
        <source>Installation correctly done.</source>
        <translation>Installationen slutfördes utan fel.</translation>
    </message>
    <message>
        <source>Click %1 to end the installation process.</source>
        <translation>Klicka på %1 för att avsluta installationen.</translation>
    </message>
</context>
<context>
    <name>CopyFilesPage</name>
    <message>
        <source>Installation in progress...</source>
        <translation>Installationen pågår...</translation>
    </message>
    <message>
        <source>Installation into %1 folder...</source>
        <translation>Installation i mappen %1...</translation>
    </message>
    <message>
        <source>Jaws will be closed while copying files. It will be automatically restarted.</source>
        <translation>JAWS stängs medan filerna kopieras. Det startas sedan om automatiskt.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Varning</translation>
    </message>
    <message>
        <source>Copy finished.</source>
        <translation>Kopieringen är klar.</translation>
    </message>
    <message>
        <source>ERROR : Installation cancelled by the user. The files copied so far stay; the settings of Jaws were not changed.</source>
        <translation>FEL : installationen avbröts av användaren. De filer som redan kopierats finns kvar; JAWS:s inställningar har inte ändrats.</translation>
    </message>
    <message>
        <source>ERROR : Jaws folder %1 or installation folder %2 not found: no file was copied.</source>
        <translation>FEL : Jaws-mappen %1 eller installationsmappen %2 hittades inte: ingen fil kopierades.</translation>
    </message>
</context>
<context>
    <name>InstallWizard</name>
    <message>
        <source>&amp;Next&gt;</source>
        <translation>&amp;Nästa&gt;</translation>
    </message>
    <message>
        <source>Korvalis driver for Jaws</source>
        <translation>Korvalis-drivrutin för Jaws</translation>
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
        <translation>Den här guiden installerar punktskriftsdrivrutinen QuorOlma %1.

Drivrutinen är kompatibel med:
- produkter i Quor-serien
- produkter i Olma-serien (firmwareversion 1.71 eller senare).

Använd tabbtangenten för att gå till nästa knapp.</translation>
    </message>
</context>
<context>
    <name>JawsInstaller</name>
    <message>
        <source>Error while merging &apos;%1&apos; section of %2.</source>
        <translation>Fel vid sammanslagning av avsnittet &apos;%1&apos; i %2.</translation>
    </message>
    <message>
        <source>Key &apos;BrailleName&apos; OLMA has been changed into OLMA171 in jfw.ini file.</source>
        <translation>Nyckeln &apos;BrailleName&apos; OLMA har ändrats till OLMA171 i filen jfw.ini.</translation>
    </message>
    <message>
        <source>No JAWS settings folder: the default Braille device was not selected.</source>
        <translation>Ingen inställningsmapp för JAWS: standarddisplayen för punktskrift valdes inte.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; Braille device selected in %2.</source>
        <translation>Punktskriftsdisplayen &apos;%1&apos; har valts i %2.</translation>
    </message>
    <message>
        <source>Unable to select &apos;%1&apos; Braille device in %2.</source>
        <translation>Det gick inte att välja punktskriftsdisplayen &apos;%1&apos; i %2.</translation>
    </message>
    <message>
        <source>ERROR : Unable to change key &apos;BrailleName&apos; OLMA into OLMA171 in jfw.ini file.</source>
        <translation>FEL : det gick inte att ändra nyckeln &apos;BrailleName&apos; OLMA till OLMA171 i filen jfw.ini.</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Installation %1</source>
        <translation>Installation %1</translation>
    </message>
    <message>
        <source>OK : [%1] section has been added to %2 file.</source>
        <translation>OK : avsnittet [%1] har lagts till i filen %2.</translation>
    </message>
    <message>
        <source>ERROR : Unable to add [%1] section to %2 file.</source>
        <translation>FEL : det gick inte att lägga till avsnittet [%1] i filen %2.</translation>
    </message>
    <message>
        <source>OK : &apos;%1&apos; Braille table selected in %2.</source>
        <translation>OK : punktskriftstabellen &apos;%1&apos; har valts i %2.</translation>
    </message>
    <message>
        <source>ERROR : Unable to select &apos;%1&apos; Braille table in %2.</source>
        <translation>FEL : det gick inte att välja punktskriftstabellen &apos;%1&apos; i %2.</translation>
    </message>
    <message>
        <source>OK : %1 folder successfully created.</source>
        <translation>OK : mappen %1 har skapats.</translation>
    </message>
    <message>
        <source>ERROR : Unable to create %1 folder.</source>
        <translation>FEL : det gick inte att skapa mappen %1.</translation>
    </message>
    <message>
        <source>OK : %1 file successfully copied.</source>
        <translation>OK : filen %1 har kopierats.</translation>
    </message>
    <message>
        <source>ERROR : Unable to copy %1 file.</source>
        <translation>FEL : det gick inte att kopiera filen %1.</translation>
    </message>
    <message>
        <source>OK : %1 file successfully saved.</source>
        <translation>OK : filen %1 har sparats.</translation>
    </message>
    <message>
        <source>ERROR : Unable to save %1 file.</source>
        <translation>FEL : det gick inte att spara filen %1.</translation>
    </message>
    <message>
        <source>OK : %1 file successfully deleted.</source>
        <translation>OK : filen %1 har tagits bort.</translation>
    </message>
    <message>
        <source>ERROR : Unable to delete %1 file.</source>
        <translation>FEL : det gick inte att ta bort filen %1.</translation>
    </message>
    <message>
        <source>Cannot open file %1.</source>
        <translation>Det går inte att öppna filen %1.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
</context>
</TS>
