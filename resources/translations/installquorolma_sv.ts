<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv">
<context>
    <name>AppsListEntry</name>
    <message>
        <source>%1 could not be copied to %2</source>
        <translation>%1 kunde inte kopieras till %2</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>%1 kunde inte skrivas</translation>
    </message>
    <message>
        <source>QuorOlma braille driver for JAWS %1</source>
        <translation>QuorOlma punktskriftsdrivrutin för JAWS %1</translation>
    </message>
    <message>
        <source>the Program Files folder is unknown</source>
        <translation>mappen Program Files är okänd</translation>
    </message>
    <message>
        <source>the registry key HKEY_LOCAL_MACHINE\%1 could not be written</source>
        <translation>registernyckeln HKEY_LOCAL_MACHINE\%1 kunde inte skrivas</translation>
    </message>
    <message>
        <source>NOTE : The driver could not be added to Windows&apos; list of apps (%1). It works all the same.</source>
        <translation>OBS : drivrutinen kunde inte läggas till i Windows lista över appar (%1). Den fungerar ändå.</translation>
    </message>
    <message>
        <source>OK : &quot;%1&quot; added to Windows&apos; list of apps.</source>
        <translation>OK : ”%1” har lagts till i Windows lista över appar.</translation>
    </message>
    <message>
        <source>ERROR : The entry of %1 in Windows&apos; list of apps could not be deleted.</source>
        <translation>FEL : posten för %1 i Windows lista över appar kunde inte tas bort.</translation>
    </message>
    <message>
        <source>ERROR : The program&apos;s copy in %1 could not be deleted.</source>
        <translation>FEL : programmets kopia i %1 kunde inte tas bort.</translation>
    </message>
    <message>
        <source>OK : The driver&apos;s entry for %1 deleted from Windows&apos; list of apps.</source>
        <translation>OK : drivrutinens post för %1 har tagits bort från Windows lista över appar.</translation>
    </message>
    <message>
        <source>OK : The driver&apos;s own entry in Windows&apos; list of apps gave way to its Windows Installer package&apos;s.</source>
        <translation>OK : drivrutinens egen post i Windows lista över appar har ersatts av dess Windows Installer-pakets post.</translation>
    </message>
    <message>
        <source>OK : Windows&apos; list of apps lists the driver by its Windows Installer package.</source>
        <translation>OK : Windows lista över appar visar drivrutinen genom dess Windows Installer-paket.</translation>
    </message>
</context>
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
    <name>CommandLine</name>
    <message>
        <source>Install without a window or a message box.</source>
        <translation>Installera utan fönster och utan meddelanderutor.</translation>
    </message>
    <message>
        <source>The Braille display to make the default one.</source>
        <translation>Punktskriftsdisplayen som ska bli standard.</translation>
    </message>
    <message>
        <source>Also write the installation report to this file.</source>
        <translation>Skriv även installationsrapporten till den här filen.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FIL</translation>
    </message>
    <message>
        <source>Leave JAWS closed if the installation had to close it.</source>
        <translation>Låt JAWS vara stängt om installationen behövde stänga det.</translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation>Visa den här hjälpen och avsluta.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version and end.</source>
        <translation>Visa programmets version och avsluta.</translation>
    </message>
    <message>
        <source>--%1, --%2, --%3 and --%4 are for an installation with --%5.</source>
        <translation>--%1, --%2, --%3 och --%4 gäller en installation med --%5.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1.</source>
        <translation>Oväntat argument: %1.</translation>
    </message>
    <message>
        <source>--%1 is given more than once.</source>
        <translation>--%1 anges mer än en gång.</translation>
    </message>
    <message>
        <source>--%1 needs a value.</source>
        <translation>--%1 behöver ett värde.</translation>
    </message>
    <message>
        <source>--%1 is missing.</source>
        <translation>--%1 saknas.</translation>
    </message>
    <message>
        <source>Unknown display: %1. Known displays: %2.</source>
        <translation>Okänd display: %1. Kända displayer: %2.</translation>
    </message>
    <message>
        <source>Installs the Korvalis Braille driver into JAWS. Without options, the installation wizard opens.</source>
        <translation>Installerar Korvalis punktskriftsdrivrutin i JAWS. Utan alternativ öppnas installationsguiden.</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>Exempel:</translation>
    </message>
    <message>
        <source>Exit codes of --unattended:</source>
        <translation>Slutkoder för --unattended:</translation>
    </message>
    <message>
        <source>installed</source>
        <translation>installerad</translation>
    </message>
    <message>
        <source>installed with errors (the report&apos;s ERROR lines say which)</source>
        <translation>installerad med fel (rapportens FEL-rader anger vilka)</translation>
    </message>
    <message>
        <source>wrong usage: nothing was done</source>
        <translation>felaktig användning: ingenting gjordes</translation>
    </message>
    <message>
        <source>no such JAWS installation</source>
        <translation>ingen sådan JAWS-installation</translation>
    </message>
    <message>
        <source>the installation package is incomplete: nothing was installed</source>
        <translation>installationspaketet är ofullständigt: ingenting installerades</translation>
    </message>
    <message>
        <source>The JAWS program folder to install into, &quot;latest&quot; for the JAWS of the highest version, or &quot;all&quot; for every JAWS installed.</source>
        <translation>JAWS-programmappen att installera i, &quot;latest&quot; för JAWS med den högsta versionen, eller &quot;all&quot; för varje installerat JAWS.</translation>
    </message>
    <message>
        <source>FOLDER|latest|all</source>
        <translation>MAPP|latest|all</translation>
    </message>
    <message>
        <source>interrupted: nothing more was copied or configured</source>
        <translation>avbrutet: inget mer kopierades eller konfigurerades</translation>
    </message>
    <message>
        <source>Configure the user settings of every user who has settings for this JAWS, not only those of the user who is logged on.</source>
        <translation>Konfigurera användarinställningarna för alla användare som har inställningar för denna JAWS, inte bara för den inloggade användaren.</translation>
    </message>
    <message>
        <source>--%1 is for an installation with --%2.</source>
        <translation>--%1 gäller bara en installation med --%2.</translation>
    </message>
    <message>
        <source>JAWS could not be closed, or runs where this program cannot reach it (then nothing was installed)</source>
        <translation>JAWS kunde inte stängas, eller körs där detta program inte kan nå det (då installerades ingenting)</translation>
    </message>
    <message>
        <source>Remove the driver from the JAWS named by --jaws, restoring what its installations changed.</source>
        <translation>Ta bort drivrutinen från den JAWS som anges med --jaws och återställ det som installationerna ändrade.</translation>
    </message>
    <message>
        <source>--%1 and --%2 are for an installation, not with --%3.</source>
        <translation>--%1 och --%2 gäller en installation, inte med --%3.</translation>
    </message>
    <message>
        <source>Windows-style switches work too, in any case: /unattended /jaws /display /log /norestart /remove /?</source>
        <translation>Växlar i Windows-stil fungerar också, med stora eller små bokstäver: /unattended /jaws /display /log /norestart /remove /?</translation>
    </message>
    <message>
        <source>Exit codes of --unattended --remove:</source>
        <translation>Slutkoder för --unattended --remove:</translation>
    </message>
    <message>
        <source>removed, or nothing of the driver to remove</source>
        <translation>borttagen, eller inget av drivrutinen att ta bort</translation>
    </message>
    <message>
        <source>removed with errors (the report&apos;s ERROR lines say which)</source>
        <translation>borttagen med fel (rapportens FEL-rader anger vilka)</translation>
    </message>
    <message>
        <source>JAWS could not be closed, or runs where this program cannot reach it: nothing was removed</source>
        <translation>JAWS kunde inte stängas, eller körs där programmet inte når det: ingenting togs bort</translation>
    </message>
    <message>
        <source>another installation or removal runs on this computer: nothing was done, try again later</source>
        <translation>en annan installation eller borttagning pågår på den här datorn: ingenting gjordes, försök igen senare</translation>
    </message>
    <message>
        <source>interrupted: nothing more was removed; remove again to finish</source>
        <translation>avbrutet: inget mer togs bort; ta bort igen för att slutföra</translation>
    </message>
    <message>
        <source>Run by the driver&apos;s Windows Installer package: its entry in Windows&apos; list of apps and its files stand for the driver&apos;s own entries and the program&apos;s copy, which are not written.</source>
        <translation>Körs av drivrutinens Windows Installer-paket: dess post i Windows lista över appar och dess filer står för drivrutinens egna poster och programmets kopia, som inte skrivs.</translation>
    </message>
    <message>
        <source>The identifier to record this installation run under, so that it can be taken back alone later.</source>
        <translation>Identifieraren som den här installationskörningen registreras under, så att den senare kan tas tillbaka ensam.</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Take back the installation run with this identifier alone, in the JAWS named by --jaws: the machine is then as the runs before it left it.</source>
        <translation>Ta tillbaka endast installationskörningen med den här identifieraren, i den JAWS som --jaws anger: datorn blir då som körningarna före den lämnade den.</translation>
    </message>
    <message>
        <source>--%1 is for a run with --%2, without --%3 and --%4.</source>
        <translation>--%1 används med --%2, utan --%3 och --%4.</translation>
    </message>
    <message>
        <source>--%1 %2 is not a run identifier: 1 to 64 letters, digits, &apos;-&apos;, &apos;_&apos;, &apos;.&apos;, &apos;{&apos; or &apos;}&apos;.</source>
        <translation>--%1 %2 är ingen körningsidentifierare: 1 till 64 bokstäver, siffror, &apos;-&apos;, &apos;_&apos;, &apos;.&apos;, &apos;{&apos; eller &apos;}&apos;.</translation>
    </message>
</context>
<context>
    <name>ConclusionPage</name>
    <message>
        <source>Ending process</source>
        <translation>Installationen avslutas</translation>
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
    <message>
        <source>ERROR : Jaws could not be closed. Please restart Jaws after the installation.</source>
        <translation>FEL : Jaws kunde inte stängas. Starta om Jaws efter installationen.</translation>
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
    <name>Installation</name>
    <message>
        <source>The driver is installed in %1 already: left as it is.</source>
        <translation>Drivrutinen är redan installerad i %1: lämnad som den är.</translation>
    </message>
    <message>
        <source>ERROR : Jaws could not be started again from %1. Please start Jaws yourself.</source>
        <translation>FEL : Jaws kunde inte startas igen från %1. Starta Jaws själv.</translation>
    </message>
    <message>
        <source>Installation run: %1</source>
        <translation>Installationskörning: %1</translation>
    </message>
</context>
<context>
    <name>InstallerApplication</name>
    <message>
        <source>Another installation or removal of the Korvalis Braille driver is running on this computer: nothing was done. Try again once it has ended.</source>
        <translation>En annan installation eller borttagning av Korvalis punktskriftsdrivrutin pågår på den här datorn: ingenting gjordes. Försök igen när den är klar.</translation>
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
        <source>ERROR : No Braille device of this driver was chosen: the default Braille device was not selected.</source>
        <translation>FEL : ingen punktskriftsdisplay för den här drivrutinen valdes: standarddisplayen valdes inte.</translation>
    </message>
    <message>
        <source>ERROR : %1 is missing from the installation package: nothing was installed.</source>
        <translation>FEL : %1 saknas i installationspaketet: ingenting installerades.</translation>
    </message>
    <message>
        <source>ERROR : %1 of the installation package has no [%2] section: nothing was installed.</source>
        <translation>FEL : %1 i installationspaketet saknar avsnittet [%2]: ingenting installerades.</translation>
    </message>
    <message>
        <source>ERROR : The installation package names no keyboard Braille table in its [%1] section: %2 was not changed.</source>
        <translation>FEL : installationspaketet anger ingen tangentbordstabell för punktskrift i avsnittet [%1]: %2 ändrades inte.</translation>
    </message>
    <message>
        <source>ERROR : Jaws settings folder %1 not found: nothing was configured there.</source>
        <translation>FEL : Jaws-inställningsmappen %1 hittades inte: inget konfigurerades där.</translation>
    </message>
    <message>
        <source>No jfw.ini file was found in %1 nor in the shared settings folder %2: it has been created in %1.</source>
        <translation>Ingen jfw.ini-fil hittades i %1 eller i den delade inställningsmappen %2: den har skapats i %1.</translation>
    </message>
    <message>
        <source>ERROR : Unable to change key &apos;BrailleName&apos; OLMA into OLMA171 in jfw.ini file.</source>
        <translation>FEL : det gick inte att ändra nyckeln &apos;BrailleName&apos; OLMA till OLMA171 i filen jfw.ini.</translation>
    </message>
    <message>
        <source>The package file %1 could not be deleted: it stays.</source>
        <translation>Paketfilen %1 kunde inte tas bort: den finns kvar.</translation>
    </message>
    <message>
        <source>The package file %1 could not be deleted (%2): it stays.</source>
        <translation>Paketfilen %1 kunde inte tas bort (%2): den finns kvar.</translation>
    </message>
    <message>
        <source>User settings: those of every user of this computer who has settings for the chosen Jaws.</source>
        <translation>Användarinställningar: för alla användare på denna dator som har inställningar för den valda Jaws.</translation>
    </message>
    <message>
        <source>No interactive user was found: the user settings are those of %1, the account that runs the installation.</source>
        <translation>Ingen inloggad användare hittades: användarinställningarna är de för %1, kontot som kör installationen.</translation>
    </message>
    <message>
        <source>User settings: those of %1.</source>
        <translation>Användarinställningar: för %1.</translation>
    </message>
    <message>
        <source>User %1 has no settings for this Jaws: left untouched.</source>
        <translation>Användaren %1 har inga inställningar för denna Jaws: lämnad orörd.</translation>
    </message>
    <message>
        <source>User settings of %1 in %2:</source>
        <translation>Användarinställningar för %1 i %2:</translation>
    </message>
    <message>
        <source>ERROR : The record of this installation could not be written to %1: it cannot be removed.</source>
        <translation>FEL : Installationens register kunde inte skrivas till %1: den kan inte tas bort.</translation>
    </message>
    <message>
        <source>The earlier installation record %1 could not be read: it is kept as %2, and a new one begins.</source>
        <translation>Den tidigare installationsposten %1 kunde inte läsas: den behålls som %2, och en ny börjar.</translation>
    </message>
    <message>
        <source>User %1 is not logged on: their settings are left as they are (where Windows keeps them is known only while they are logged on). They get the display from the shared settings, or from a run while they are logged on.</source>
        <translation>Användaren %1 är inte inloggad: användarens inställningar lämnas som de är (var Windows förvarar dem är känt bara medan användaren är inloggad). Användaren får displayen från de delade inställningarna, eller från en körning medan användaren är inloggad.</translation>
    </message>
    <message>
        <source>ERROR : The record of this installation could not be written to %1: nothing was copied.</source>
        <translation>FEL : Installationens register kunde inte skrivas till %1: ingenting kopierades.</translation>
    </message>
</context>
<context>
    <name>PageParts</name>
    <message>
        <source>Warning</source>
        <translation>Varning</translation>
    </message>
</context>
<context>
    <name>Removal</name>
    <message>
        <source>Removal from %1 folder...</source>
        <translation>Borttagning från mappen %1...</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver has no installation record in %1: nothing was removed.</source>
        <translation>Korvalis punktskriftsdrivrutin har inget installationsregister i %1: ingenting togs bort.</translation>
    </message>
    <message>
        <source>Restore the settings files of JAWS that the installation changed, keeping what was changed since.</source>
        <translation>Återställ de inställningsfiler i JAWS som installationen ändrade, men behåll det som ändrats sedan dess.</translation>
    </message>
    <message>
        <source>Put back the key maps that the installation moved aside.</source>
        <translation>Lägg tillbaka de tangentmappningar som installationen flyttade undan.</translation>
    </message>
    <message>
        <source>Remove the driver&apos;s files from %1, or put back the files they replaced.</source>
        <translation>Ta bort drivrutinens filer från %1, eller lägg tillbaka filerna de ersatte.</translation>
    </message>
    <message>
        <source>Remove the installation record and the folders the installation created, when they are empty.</source>
        <translation>Ta bort installationsregistret och de mappar som installationen skapade, om de är tomma.</translation>
    </message>
    <message>
        <source>ERROR : Jaws could not be closed: nothing was removed. Please close Jaws and remove the driver again.</source>
        <translation>FEL : Jaws kunde inte stängas: ingenting togs bort. Stäng Jaws och ta bort drivrutinen igen.</translation>
    </message>
    <message>
        <source>ERROR : Removal cancelled by the user: nothing was removed.</source>
        <translation>FEL : Borttagningen avbröts av användaren: ingenting togs bort.</translation>
    </message>
    <message>
        <source>%1 is no longer there: it was not restored.</source>
        <translation>%1 finns inte längre: den återställdes inte.</translation>
    </message>
    <message>
        <source>OK : %1 restored as it was before the installation.</source>
        <translation>OK : %1 återställd som före installationen.</translation>
    </message>
    <message>
        <source>ERROR : %1 could not be restored.</source>
        <translation>FEL : %1 kunde inte återställas.</translation>
    </message>
    <message>
        <source>[%1] %2 in %3 was changed since the installation: it was kept as it is.</source>
        <translation>[%1] %2 i %3 har ändrats sedan installationen: värdet behölls som det är.</translation>
    </message>
    <message>
        <source>OK : The values the installation wrote in %1 were restored.</source>
        <translation>OK : De värden som installationen skrev i %1 har återställts.</translation>
    </message>
    <message>
        <source>ERROR : The values the installation wrote in %1 could not be restored.</source>
        <translation>FEL : De värden som installationen skrev i %1 kunde inte återställas.</translation>
    </message>
    <message>
        <source>%1 was made again since the installation: it was kept; the earlier one is %2.</source>
        <translation>%1 har skapats på nytt sedan installationen: den behölls; den tidigare är %2.</translation>
    </message>
    <message>
        <source>ERROR : %1 could not be put back: its backup %2 is gone.</source>
        <translation>FEL : %1 kunde inte läggas tillbaka: säkerhetskopian %2 saknas.</translation>
    </message>
    <message>
        <source>OK : %1 put back from %2.</source>
        <translation>OK : %1 lades tillbaka från %2.</translation>
    </message>
    <message>
        <source>ERROR : %1 could not be put back from %2.</source>
        <translation>FEL : %1 kunde inte läggas tillbaka från %2.</translation>
    </message>
    <message>
        <source>%1 was changed since the installation: it was kept.</source>
        <translation>%1 har ändrats sedan installationen: den behölls.</translation>
    </message>
    <message>
        <source>The installation record %1 is kept: remove the driver again once the errors above are mended.</source>
        <translation>Installationsregistret %1 behålls: ta bort drivrutinen igen när felen ovan är åtgärdade.</translation>
    </message>
    <message>
        <source>OK : %1 folder removed.</source>
        <translation>OK : mappen %1 har tagits bort.</translation>
    </message>
    <message>
        <source>ERROR : The installation record names %1, which lies outside this JAWS installation and its settings: it was left as it is.</source>
        <translation>FEL : Installationsposten anger %1, som ligger utanför denna JAWS-installation och dess inställningar: den lämnades som den var.</translation>
    </message>
    <message>
        <source>The backup %1 was changed since the installation: %2 was restored value by value instead.</source>
        <translation>Säkerhetskopian %1 har ändrats sedan installationen: %2 återställdes i stället värde för värde.</translation>
    </message>
    <message>
        <source>ERROR : %1 was not put back: its backup %2 was changed since the installation.</source>
        <translation>FEL : %1 lades inte tillbaka: dess säkerhetskopia %2 har ändrats sedan installationen.</translation>
    </message>
    <message>
        <source>ERROR : The installation record %1 is damaged or cannot be read: nothing was removed.</source>
        <translation>FEL : Installationsposten %1 är skadad eller kan inte läsas: ingenting togs bort.</translation>
    </message>
    <message>
        <source>JAWS is no longer installed in %1: nothing of the driver is left there.</source>
        <translation>JAWS är inte längre installerat i %1: ingenting av drivrutinen finns kvar där.</translation>
    </message>
    <message>
        <source>ERROR : Removal interrupted: what is listed above was done, the rest was not. The installation record is kept: remove the driver again to finish.</source>
        <translation>FEL : Borttagningen avbröts: det som står ovan gjordes, resten inte. Installationsposten behålls: ta bort drivrutinen igen för att slutföra.</translation>
    </message>
    <message>
        <source>The last installation into %1 never finished: it was stopped before JAWS was configured. The files it copied are removed with the rest.</source>
        <translation>Den senaste installationen i %1 slutfördes aldrig: den stoppades innan JAWS konfigurerades. Filerna den kopierade tas bort med resten.</translation>
    </message>
    <message>
        <source>Taking back the installation run %1 from %2 folder...</source>
        <translation>Installationskörningen %1 tas tillbaka från mappen %2...</translation>
    </message>
    <message>
        <source>The installation run %1 left no change recorded in %2: nothing was taken back.</source>
        <translation>Installationskörningen %1 lämnade ingen registrerad ändring i %2: ingenting togs tillbaka.</translation>
    </message>
    <message>
        <source>one of an earlier program</source>
        <translation>en av ett tidigare program</translation>
    </message>
    <message>
        <source>ERROR : The installation run %1 cannot be taken back alone: later runs built on it in %2 (%3). Take those back first, the latest first: nothing was taken back.</source>
        <translation>FEL : Installationskörningen %1 kan inte tas tillbaka ensam: senare körningar byggde på den i %2 (%3). Ta tillbaka dem först, den senaste först: ingenting togs tillbaka.</translation>
    </message>
    <message>
        <source>ERROR : The installation record %1 could not be written: remove the driver again.</source>
        <translation>FEL : Installationsposten %1 kunde inte skrivas: ta bort drivrutinen igen.</translation>
    </message>
    <message>
        <source>OK : The installation record %1 now holds the earlier installations alone.</source>
        <translation>OK : Installationsposten %1 innehåller nu endast de tidigare installationerna.</translation>
    </message>
    <message>
        <source>NOTE : Windows&apos; list of apps could not be told the driver&apos;s version.</source>
        <translation>OBS : Windows lista över appar kunde inte få veta drivrutinens version.</translation>
    </message>
</context>
<context>
    <name>RemovalChoicePage</name>
    <message>
        <source>Please select the Jaws installation to remove the Korvalis Braille driver from.</source>
        <translation>Välj den Jaws-installation som Korvalis punktskriftsdrivrutin ska tas bort från.</translation>
    </message>
    <message>
        <source>&amp;Jaws folders:</source>
        <translation>&amp;Jaws-mappar:</translation>
    </message>
    <message>
        <source>Jaws %1 in %2</source>
        <translation>Jaws %1 i %2</translation>
    </message>
</context>
<context>
    <name>RemovalConclusionPage</name>
    <message>
        <source>End of the removal</source>
        <translation>Borttagningen avslutas</translation>
    </message>
    <message>
        <source>Click %1 to end the removal.</source>
        <translation>Klicka på %1 för att avsluta borttagningen.</translation>
    </message>
</context>
<context>
    <name>RemovalPlanPage</name>
    <message>
        <source>&amp;What will be done:</source>
        <translation>&amp;Det här görs:</translation>
    </message>
    <message>
        <source>Jaws %1 in %2</source>
        <translation>Jaws %1 i %2</translation>
    </message>
    <message>
        <source>the Jaws in %1</source>
        <translation>Jaws i %1</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver will be removed from %1, and the settings it changed put back as they were.</source>
        <translation>Korvalis punktskriftsdrivrutin tas bort från %1, och de inställningar den ändrade återställs.</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Ta bort</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver has no installation record in %1: there is nothing to remove.</source>
        <translation>Korvalis punktskriftsdrivrutin har ingen installationspost i %1: det finns inget att ta bort.</translation>
    </message>
    <message>
        <source>The installation record of the Korvalis Braille driver in %1 is damaged or cannot be read: nothing can be removed. The removal report says more.</source>
        <translation>Installationsposten för Korvalis punktskriftsdrivrutin i %1 är skadad eller kan inte läsas: ingenting kan tas bort. Borttagningsrapporten säger mer.</translation>
    </message>
</context>
<context>
    <name>RemovalProgressPage</name>
    <message>
        <source>Removal in progress...</source>
        <translation>Borttagningen pågår...</translation>
    </message>
    <message>
        <source>Jaws will be closed while the driver is removed. It will be automatically restarted.</source>
        <translation>Jaws stängs medan drivrutinen tas bort. Det startas om automatiskt.</translation>
    </message>
    <message>
        <source>Removal finished.</source>
        <translation>Borttagningen är klar.</translation>
    </message>
</context>
<context>
    <name>RemovalWizard</name>
    <message>
        <source>&amp;Next&gt;</source>
        <translation>&amp;Nästa&gt;</translation>
    </message>
    <message>
        <source>Removing the Korvalis driver from Jaws</source>
        <translation>Ta bort Korvalis-drivrutinen från Jaws</translation>
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
    <message>
        <source>Removal %1</source>
        <translation>Borttagning %1</translation>
    </message>
    <message>
        <source>ERROR : %1 is a link: it was left as it is.</source>
        <translation>FEL : %1 är en länk: den lämnades som den var.</translation>
    </message>
    <message>
        <source>ERROR : %1 is not a plain file: it was left as it is.</source>
        <translation>FEL : %1 är ingen vanlig fil: den lämnades som den var.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>RunSummary</name>
    <message>
        <source>Installation correctly done.</source>
        <translation>Installationen slutfördes utan fel.</translation>
    </message>
    <message>
        <source>Error during installation. The report is on the standard error stream.</source>
        <translation>Fel under installationen. Rapporten finns på standardfelutmatningen.</translation>
    </message>
    <message>
        <source>Error during installation. Please check the %1 file for details.</source>
        <translation>Ett fel inträffade under installationen. Se filen %1 för mer information.</translation>
    </message>
    <message>
        <source>No installation report could be written.</source>
        <translation>Ingen installationsrapport kunde skrivas.</translation>
    </message>
    <message>
        <source>The installation report is %1.</source>
        <translation>Installationsrapporten är %1.</translation>
    </message>
    <message>
        <source>Removal correctly done.</source>
        <translation>Borttagningen är klar.</translation>
    </message>
    <message>
        <source>Error during removal. The report is on the standard error stream.</source>
        <translation>Fel vid borttagningen. Rapporten finns i standardfelströmmen.</translation>
    </message>
    <message>
        <source>Error during removal. Please check the %1 file for details.</source>
        <translation>Fel vid borttagningen. Se filen %1 för detaljer.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver is installed in no Jaws on this computer: there is nothing to remove.</source>
        <translation>Korvalis punktskriftsdrivrutin är inte installerad i någon Jaws på den här datorn: det finns inget att ta bort.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver is not installed in %1: there is nothing to remove.</source>
        <translation>Korvalis punktskriftsdrivrutin är inte installerad i %1: det finns inget att ta bort.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed.</source>
        <translation>Korvalis punktskriftsdrivrutin togs bort.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed. What was changed since the installation was kept: the removal report names it.</source>
        <translation>Korvalis punktskriftsdrivrutin togs bort. Det som ändrats sedan installationen behölls: borttagningsrapporten anger det.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed, with errors: please read the removal report.</source>
        <translation>Korvalis punktskriftsdrivrutin togs bort, med fel: läs borttagningsrapporten.</translation>
    </message>
    <message>
        <source>The removal was cancelled: nothing was removed.</source>
        <translation>Borttagningen avbröts: ingenting togs bort.</translation>
    </message>
    <message>
        <source>Jaws could not be closed: nothing was removed. Please close Jaws and try again.</source>
        <translation>Jaws kunde inte stängas: ingenting togs bort. Stäng Jaws och försök igen.</translation>
    </message>
    <message>
        <source>Nothing was removed: please read the removal report.</source>
        <translation>Ingenting togs bort: läs borttagningsrapporten.</translation>
    </message>
    <message>
        <source>No removal report could be written.</source>
        <translation>Ingen borttagningsrapport kunde skrivas.</translation>
    </message>
    <message>
        <source>The removal report is %1.</source>
        <translation>Borttagningsrapporten är %1.</translation>
    </message>
    <message>
        <source>The installation run %1 is taken back.</source>
        <translation>Installationskörningen %1 är tillbakatagen.</translation>
    </message>
</context>
<context>
    <name>UnattendedRun</name>
    <message>
        <source>%1 is not a JAWS installation of this computer.</source>
        <translation>%1 är ingen JAWS-installation på den här datorn.</translation>
    </message>
    <message>
        <source>No JAWS installation was found.</source>
        <translation>Ingen JAWS-installation hittades.</translation>
    </message>
    <message>
        <source>JAWS installations: %1</source>
        <translation>JAWS-installationer: %1</translation>
    </message>
    <message>
        <source>Started without the wizard: %1</source>
        <translation>Startad utan guiden: %1</translation>
    </message>
    <message>
        <source>Installing the Korvalis Braille driver into %1 for the %2 display...</source>
        <translation>Installerar Korvalis punktskriftsdrivrutin i %1 för displayen %2...</translation>
    </message>
    <message>
        <source>Closing JAWS...</source>
        <translation>Stänger JAWS...</translation>
    </message>
    <message>
        <source>Copying files...</source>
        <translation>Kopierar filer...</translation>
    </message>
    <message>
        <source>Configuring JAWS...</source>
        <translation>Konfigurerar JAWS...</translation>
    </message>
    <message>
        <source>The report could not be written to %1.</source>
        <translation>Rapporten kunde inte skrivas till %1.</translation>
    </message>
    <message>
        <source>Passed over: %1 holds no JAWS program.</source>
        <translation>Överhoppad: %1 innehåller inget JAWS-program.</translation>
    </message>
    <message>
        <source>Interrupted: stopping the installation...</source>
        <translation>Avbrutet: installationen stoppas...</translation>
    </message>
    <message>
        <source>Installed already: left as it is.</source>
        <translation>Redan installerat: lämnat som det är.</translation>
    </message>
    <message>
        <source>Report: %1</source>
        <translation>Rapport: %1</translation>
    </message>
    <message>
        <source>JAWS is running in a session that this program cannot reach (it runs as another account while a user works): nothing was installed. Run the installation again when JAWS is not running.</source>
        <translation>JAWS körs i en session som detta program inte kan nå (det körs som ett annat konto medan en användare arbetar): ingenting installerades. Kör installationen igen när JAWS inte körs.</translation>
    </message>
    <message>
        <source>Interrupted: stopping the removal...</source>
        <translation>Avbruten: borttagningen stoppas...</translation>
    </message>
    <message>
        <source>Removing the Korvalis Braille driver from %1...</source>
        <translation>Korvalis punktskriftsdrivrutin tas bort från %1...</translation>
    </message>
    <message>
        <source>Removing and restoring files...</source>
        <translation>Filer tas bort och återställs...</translation>
    </message>
    <message>
        <source>Nothing of the driver to remove: no installation record in %1.</source>
        <translation>Inget av drivrutinen att ta bort: inget installationsregister i %1.</translation>
    </message>
    <message>
        <source>%1 is not a plain file.</source>
        <translation>%1 är ingen vanlig fil.</translation>
    </message>
    <message>
        <source>%1 lies among the files of JAWS or of its settings.</source>
        <translation>%1 ligger bland filerna för JAWS eller dess inställningar.</translation>
    </message>
    <message>
        <source>The report cannot be written to --log %1: %2 Nothing was done.</source>
        <translation>Rapporten kan inte skrivas till --log %1: %2 Ingenting gjordes.</translation>
    </message>
    <message>
        <source>The installation record in %1 is damaged or cannot be read: nothing was removed.</source>
        <translation>Installationsposten i %1 är skadad eller kan inte läsas: ingenting togs bort.</translation>
    </message>
    <message>
        <source>NOTE : The report could not be written to %1.</source>
        <translation>OBS : Rapporten kunde inte skrivas till %1.</translation>
    </message>
    <message>
        <source>JAWS is running in a session that this program cannot reach (it runs as another account while a user works): nothing was removed. Run the removal again when JAWS is not running.</source>
        <translation>JAWS körs i en session som det här programmet inte kan nå (det körs som ett annat konto medan en användare arbetar): ingenting togs bort. Kör borttagningen igen när JAWS inte körs.</translation>
    </message>
    <message>
        <source>Interrupted: a file could not be reached in time; the removal ends here. Remove the driver again to finish.</source>
        <translation>Avbrutet: en fil kunde inte nås i tid; borttagningen slutar här. Ta bort drivrutinen igen för att slutföra den.</translation>
    </message>
    <message>
        <source>Interrupted: a file could not be reached in time; the installation ends here, each file whole. Run it again to finish.</source>
        <translation>Avbrutet: en fil kunde inte nås i tid; installationen slutar här, varje fil hel. Kör den igen för att slutföra den.</translation>
    </message>
    <message>
        <source>Taking back the installation run %1 from %2...</source>
        <translation>Installationskörningen %1 tas tillbaka från %2...</translation>
    </message>
    <message>
        <source>The installation run %1 cannot be taken back alone in %2: later runs built on it. Take those back first, the latest first.</source>
        <translation>Installationskörningen %1 kan inte tas tillbaka ensam i %2: senare körningar byggde på den. Ta tillbaka dem först, den senaste först.</translation>
    </message>
    <message>
        <source>The installation run %1 left no change recorded in %2: nothing to take back.</source>
        <translation>Installationskörningen %1 lämnade ingen registrerad ändring i %2: inget att ta tillbaka.</translation>
    </message>
    <message>
        <source>Installation run: %1</source>
        <translation>Installationskörning: %1</translation>
    </message>
</context>
</TS>
