<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AppsListEntry</name>
    <message>
        <source>%1 could not be copied to %2</source>
        <translation>%1 konnte nicht nach %2 kopiert werden</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>%1 konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>QuorOlma braille driver for JAWS %1</source>
        <translation>QuorOlma-Braillezeilentreiber für JAWS %1</translation>
    </message>
    <message>
        <source>the Program Files folder is unknown</source>
        <translation>der Ordner Programme ist unbekannt</translation>
    </message>
    <message>
        <source>the registry key HKEY_LOCAL_MACHINE\%1 could not be written</source>
        <translation>der Registrierungsschlüssel HKEY_LOCAL_MACHINE\%1 konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>NOTE : The driver could not be added to Windows&apos; list of apps (%1). It works all the same.</source>
        <translation>HINWEIS : Der Treiber konnte nicht in die Liste der Apps von Windows aufgenommen werden (%1). Er funktioniert trotzdem.</translation>
    </message>
    <message>
        <source>OK : &quot;%1&quot; added to Windows&apos; list of apps.</source>
        <translation>OK : „%1“ wurde der Liste der Apps von Windows hinzugefügt.</translation>
    </message>
    <message>
        <source>ERROR : The entry of %1 in Windows&apos; list of apps could not be deleted.</source>
        <translation>FEHLER : Der Eintrag von %1 in der Liste der Apps von Windows konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>ERROR : The program&apos;s copy in %1 could not be deleted.</source>
        <translation>FEHLER : Die Kopie des Programms in %1 konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>OK : The driver&apos;s entry for %1 deleted from Windows&apos; list of apps.</source>
        <translation>OK : Der Eintrag des Treibers für %1 wurde aus der Liste der Apps von Windows gelöscht.</translation>
    </message>
    <message>
        <source>OK : The driver&apos;s own entry in Windows&apos; list of apps gave way to its Windows Installer package&apos;s.</source>
        <translation>OK : Der eigene Eintrag des Treibers in der Liste der Apps von Windows hat dem seines Windows Installer-Pakets Platz gemacht.</translation>
    </message>
    <message>
        <source>OK : Windows&apos; list of apps lists the driver by its Windows Installer package.</source>
        <translation>OK : Die Liste der Apps von Windows führt den Treiber über sein Windows Installer-Paket.</translation>
    </message>
</context>
<context>
    <name>CollectInfoPage</name>
    <message>
        <source>Please select Jaws installation folder and your Braille device.</source>
        <translation>Bitte wählen Sie den Jaws-Installationsordner und Ihre Braillezeile aus.</translation>
    </message>
    <message>
        <source>&amp;Jaws folders:</source>
        <translation>&amp;Jaws-Ordner:</translation>
    </message>
    <message>
        <source>&amp;Braille devices:</source>
        <translation>&amp;Braillezeilen:</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Install without a window or a message box.</source>
        <translation>Ohne Fenster und ohne Meldungsfeld installieren.</translation>
    </message>
    <message>
        <source>The Braille display to make the default one.</source>
        <translation>Die Braillezeile, die zur Standard-Braillezeile wird.</translation>
    </message>
    <message>
        <source>Also write the installation report to this file.</source>
        <translation>Den Installationsbericht auch in diese Datei schreiben.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>Leave JAWS closed if the installation had to close it.</source>
        <translation>JAWS geschlossen lassen, wenn die Installation es beenden musste.</translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation>Diese Hilfe anzeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version and end.</source>
        <translation>Die Version des Programms anzeigen und beenden.</translation>
    </message>
    <message>
        <source>--%1, --%2, --%3 and --%4 are for an installation with --%5.</source>
        <translation>--%1, --%2, --%3 und --%4 gelten für eine Installation mit --%5.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1.</source>
        <translation>Unerwartetes Argument: %1.</translation>
    </message>
    <message>
        <source>--%1 is given more than once.</source>
        <translation>--%1 wurde mehr als einmal angegeben.</translation>
    </message>
    <message>
        <source>--%1 needs a value.</source>
        <translation>--%1 braucht einen Wert.</translation>
    </message>
    <message>
        <source>--%1 is missing.</source>
        <translation>--%1 fehlt.</translation>
    </message>
    <message>
        <source>Unknown display: %1. Known displays: %2.</source>
        <translation>Unbekannte Braillezeile: %1. Bekannte Braillezeilen: %2.</translation>
    </message>
    <message>
        <source>Installs the Korvalis Braille driver into JAWS. Without options, the installation wizard opens.</source>
        <translation>Installiert den Korvalis-Braille-Treiber in JAWS. Ohne Optionen öffnet sich der Installationsassistent.</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>Beispiel:</translation>
    </message>
    <message>
        <source>Exit codes of --unattended:</source>
        <translation>Rückgabewerte von --unattended:</translation>
    </message>
    <message>
        <source>installed</source>
        <translation>installiert</translation>
    </message>
    <message>
        <source>installed with errors (the report&apos;s ERROR lines say which)</source>
        <translation>mit Fehlern installiert (die FEHLER-Zeilen des Berichts nennen sie)</translation>
    </message>
    <message>
        <source>wrong usage: nothing was done</source>
        <translation>falscher Aufruf: Es wurde nichts getan</translation>
    </message>
    <message>
        <source>no such JAWS installation</source>
        <translation>keine solche JAWS-Installation</translation>
    </message>
    <message>
        <source>the installation package is incomplete: nothing was installed</source>
        <translation>das Installationspaket ist unvollständig: Es wurde nichts installiert</translation>
    </message>
    <message>
        <source>The JAWS program folder to install into, &quot;latest&quot; for the JAWS of the highest version, or &quot;all&quot; for every JAWS installed.</source>
        <translation>Der JAWS-Programmordner, in den installiert wird, &quot;latest&quot; für das JAWS mit der höchsten Version oder &quot;all&quot; für jedes installierte JAWS.</translation>
    </message>
    <message>
        <source>FOLDER|latest|all</source>
        <translation>ORDNER|latest|all</translation>
    </message>
    <message>
        <source>interrupted: nothing more was copied or configured</source>
        <translation>unterbrochen: nichts weiter wurde kopiert oder eingerichtet</translation>
    </message>
    <message>
        <source>Configure the user settings of every user who has settings for this JAWS, not only those of the user who is logged on.</source>
        <translation>Die Benutzereinstellungen aller Benutzer konfigurieren, die Einstellungen für dieses JAWS haben, nicht nur die des angemeldeten Benutzers.</translation>
    </message>
    <message>
        <source>--%1 is for an installation with --%2.</source>
        <translation>--%1 gilt nur für eine Installation mit --%2.</translation>
    </message>
    <message>
        <source>JAWS could not be closed, or runs where this program cannot reach it (then nothing was installed)</source>
        <translation>JAWS konnte nicht beendet werden, oder es läuft, wo dieses Programm es nicht erreichen kann (dann wurde nichts installiert)</translation>
    </message>
    <message>
        <source>Remove the driver from the JAWS named by --jaws, restoring what its installations changed.</source>
        <translation>Den Treiber aus dem mit --jaws genannten JAWS entfernen und wiederherstellen, was seine Installationen geändert haben.</translation>
    </message>
    <message>
        <source>--%1 and --%2 are for an installation, not with --%3.</source>
        <translation>--%1 und --%2 sind für eine Installation, nicht mit --%3.</translation>
    </message>
    <message>
        <source>Windows-style switches work too, in any case: /unattended /jaws /display /log /norestart /remove /?</source>
        <translation>Schalter im Windows-Stil funktionieren auch, in beliebiger Schreibweise: /unattended /jaws /display /log /norestart /remove /?</translation>
    </message>
    <message>
        <source>Exit codes of --unattended --remove:</source>
        <translation>Rückgabewerte von --unattended --remove:</translation>
    </message>
    <message>
        <source>removed, or nothing of the driver to remove</source>
        <translation>entfernt, oder nichts vom Treiber zu entfernen</translation>
    </message>
    <message>
        <source>removed with errors (the report&apos;s ERROR lines say which)</source>
        <translation>mit Fehlern entfernt (die FEHLER-Zeilen des Berichts nennen sie)</translation>
    </message>
    <message>
        <source>JAWS could not be closed, or runs where this program cannot reach it: nothing was removed</source>
        <translation>JAWS konnte nicht beendet werden oder läuft, wo dieses Programm es nicht erreicht: Es wurde nichts entfernt</translation>
    </message>
    <message>
        <source>another installation or removal runs on this computer: nothing was done, try again later</source>
        <translation>eine andere Installation oder Entfernung läuft auf diesem Computer: Es wurde nichts getan, versuchen Sie es später erneut</translation>
    </message>
    <message>
        <source>interrupted: nothing more was removed; remove again to finish</source>
        <translation>unterbrochen: Es wurde nichts weiter entfernt; erneut entfernen, um es abzuschließen</translation>
    </message>
    <message>
        <source>Run by the driver&apos;s Windows Installer package: its entry in Windows&apos; list of apps and its files stand for the driver&apos;s own entries and the program&apos;s copy, which are not written.</source>
        <translation>Vom Windows Installer-Paket des Treibers ausgeführt: Sein Eintrag in der Liste der Apps von Windows und seine Dateien stehen für die eigenen Einträge des Treibers und die Kopie des Programms, die nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>The identifier to record this installation run under, so that it can be taken back alone later.</source>
        <translation>Die Kennung, unter der dieser Installationslauf vermerkt wird, damit er später allein zurückgenommen werden kann.</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Take back the installation run with this identifier alone, in the JAWS named by --jaws: the machine is then as the runs before it left it.</source>
        <translation>Nur den Installationslauf mit dieser Kennung zurücknehmen, in dem mit --jaws genannten JAWS: Der Rechner ist dann so, wie die Läufe davor ihn hinterließen.</translation>
    </message>
    <message>
        <source>--%1 is for a run with --%2, without --%3 and --%4.</source>
        <translation>--%1 gilt für einen Lauf mit --%2, ohne --%3 und --%4.</translation>
    </message>
    <message>
        <source>--%1 %2 is not a run identifier: 1 to 64 letters, digits, &apos;-&apos;, &apos;_&apos;, &apos;.&apos;, &apos;{&apos; or &apos;}&apos;.</source>
        <translation>--%1 %2 ist keine Laufkennung: 1 bis 64 Buchstaben, Ziffern, &apos;-&apos;, &apos;_&apos;, &apos;.&apos;, &apos;{&apos; oder &apos;}&apos;.</translation>
    </message>
</context>
<context>
    <name>ConclusionPage</name>
    <message>
        <source>Ending process</source>
        <translation>Abschluss der Installation</translation>
    </message>
    <message>
        <source>Click %1 to end the installation process.</source>
        <translation>Klicken Sie auf %1, um die Installation zu beenden.</translation>
    </message>
</context>
<context>
    <name>CopyFilesPage</name>
    <message>
        <source>Installation in progress...</source>
        <translation>Installation läuft...</translation>
    </message>
    <message>
        <source>Installation into %1 folder...</source>
        <translation>Installation in den Ordner %1...</translation>
    </message>
    <message>
        <source>Jaws will be closed while copying files. It will be automatically restarted.</source>
        <translation>JAWS wird beendet, während die Dateien kopiert werden. Danach wird es automatisch neu gestartet.</translation>
    </message>
    <message>
        <source>Copy finished.</source>
        <translation>Kopieren abgeschlossen.</translation>
    </message>
    <message>
        <source>ERROR : Installation cancelled by the user. The files copied so far stay; the settings of Jaws were not changed.</source>
        <translation>FEHLER : Installation vom Benutzer abgebrochen. Die bereits kopierten Dateien bleiben erhalten; die Einstellungen von JAWS wurden nicht geändert.</translation>
    </message>
    <message>
        <source>ERROR : Jaws folder %1 or installation folder %2 not found: no file was copied.</source>
        <translation>FEHLER : Jaws-Ordner %1 oder Installationsordner %2 nicht gefunden: Es wurde keine Datei kopiert.</translation>
    </message>
    <message>
        <source>ERROR : Jaws could not be closed. Please restart Jaws after the installation.</source>
        <translation>FEHLER : Jaws konnte nicht beendet werden. Bitte starten Sie Jaws nach der Installation neu.</translation>
    </message>
</context>
<context>
    <name>InstallWizard</name>
    <message>
        <source>&amp;Next&gt;</source>
        <translation>&amp;Weiter&gt;</translation>
    </message>
    <message>
        <source>Korvalis driver for Jaws</source>
        <translation>Korvalis-Treiber für Jaws</translation>
    </message>
</context>
<context>
    <name>Installation</name>
    <message>
        <source>The driver is installed in %1 already: left as it is.</source>
        <translation>Der Treiber ist in %1 bereits installiert: unverändert gelassen.</translation>
    </message>
    <message>
        <source>ERROR : Jaws could not be started again from %1. Please start Jaws yourself.</source>
        <translation>FEHLER : Jaws konnte aus %1 nicht wieder gestartet werden. Bitte starten Sie Jaws selbst.</translation>
    </message>
    <message>
        <source>Installation run: %1</source>
        <translation>Installationslauf: %1</translation>
    </message>
</context>
<context>
    <name>InstallerApplication</name>
    <message>
        <source>Another installation or removal of the Korvalis Braille driver is running on this computer: nothing was done. Try again once it has ended.</source>
        <translation>Auf diesem Computer läuft eine andere Installation oder Entfernung des Korvalis-Braille-Treibers: Es wurde nichts getan. Versuchen Sie es erneut, wenn sie beendet ist.</translation>
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
        <translation>Dieser Assistent installiert den QuorOlma-Braille-Treiber %1.

Der Treiber ist kompatibel mit:
- Produkten der Quor-Reihe
- Produkten der Olma-Reihe (Firmware-Version 1.71 oder höher).

Mit der Tabulatortaste gelangen Sie zur nächsten Schaltfläche.</translation>
    </message>
</context>
<context>
    <name>JawsInstaller</name>
    <message>
        <source>Error while merging &apos;%1&apos; section of %2.</source>
        <translation>Fehler beim Zusammenführen des Abschnitts &apos;%1&apos; von %2.</translation>
    </message>
    <message>
        <source>Key &apos;BrailleName&apos; OLMA has been changed into OLMA171 in jfw.ini file.</source>
        <translation>Schlüssel &apos;BrailleName&apos; OLMA wurde in der Datei jfw.ini in OLMA171 geändert.</translation>
    </message>
    <message>
        <source>No JAWS settings folder: the default Braille device was not selected.</source>
        <translation>Kein JAWS-Einstellungsordner: Die Standard-Braillezeile wurde nicht ausgewählt.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; Braille device selected in %2.</source>
        <translation>Braillezeile &apos;%1&apos; in %2 ausgewählt.</translation>
    </message>
    <message>
        <source>Unable to select &apos;%1&apos; Braille device in %2.</source>
        <translation>Braillezeile &apos;%1&apos; konnte in %2 nicht ausgewählt werden.</translation>
    </message>
    <message>
        <source>ERROR : No Braille device of this driver was chosen: the default Braille device was not selected.</source>
        <translation>FEHLER : Es wurde keine Braillezeile dieses Treibers gewählt: Die Standard-Braillezeile wurde nicht ausgewählt.</translation>
    </message>
    <message>
        <source>ERROR : %1 is missing from the installation package: nothing was installed.</source>
        <translation>FEHLER : %1 fehlt im Installationspaket: Es wurde nichts installiert.</translation>
    </message>
    <message>
        <source>ERROR : %1 of the installation package has no [%2] section: nothing was installed.</source>
        <translation>FEHLER : %1 des Installationspakets hat keinen Abschnitt [%2]: Es wurde nichts installiert.</translation>
    </message>
    <message>
        <source>ERROR : The installation package names no keyboard Braille table in its [%1] section: %2 was not changed.</source>
        <translation>FEHLER : Das Installationspaket nennt in seinem Abschnitt [%1] keine Braille-Tastaturtabelle: %2 wurde nicht geändert.</translation>
    </message>
    <message>
        <source>ERROR : Jaws settings folder %1 not found: nothing was configured there.</source>
        <translation>FEHLER : Jaws-Einstellungsordner %1 nicht gefunden: Dort wurde nichts eingerichtet.</translation>
    </message>
    <message>
        <source>No jfw.ini file was found in %1 nor in the shared settings folder %2: it has been created in %1.</source>
        <translation>Keine Datei jfw.ini in %1 und im gemeinsamen Einstellungsordner %2 gefunden: Sie wurde in %1 angelegt.</translation>
    </message>
    <message>
        <source>ERROR : Unable to change key &apos;BrailleName&apos; OLMA into OLMA171 in jfw.ini file.</source>
        <translation>FEHLER : Schlüssel &apos;BrailleName&apos; OLMA konnte in der Datei jfw.ini nicht in OLMA171 geändert werden.</translation>
    </message>
    <message>
        <source>The package file %1 could not be deleted: it stays.</source>
        <translation>Die Paketdatei %1 konnte nicht gelöscht werden: sie bleibt.</translation>
    </message>
    <message>
        <source>The package file %1 could not be deleted (%2): it stays.</source>
        <translation>Die Paketdatei %1 konnte nicht gelöscht werden (%2): sie bleibt.</translation>
    </message>
    <message>
        <source>User settings: those of every user of this computer who has settings for the chosen Jaws.</source>
        <translation>Benutzereinstellungen: die aller Benutzer dieses Computers, die Einstellungen für das gewählte Jaws haben.</translation>
    </message>
    <message>
        <source>No interactive user was found: the user settings are those of %1, the account that runs the installation.</source>
        <translation>Es wurde kein angemeldeter Benutzer gefunden: Die Benutzereinstellungen sind die von %1, dem Konto, das die Installation ausführt.</translation>
    </message>
    <message>
        <source>User settings: those of %1.</source>
        <translation>Benutzereinstellungen: die von %1.</translation>
    </message>
    <message>
        <source>User %1 has no settings for this Jaws: left untouched.</source>
        <translation>Benutzer %1 hat keine Einstellungen für dieses Jaws: unverändert gelassen.</translation>
    </message>
    <message>
        <source>User settings of %1 in %2:</source>
        <translation>Benutzereinstellungen von %1 in %2:</translation>
    </message>
    <message>
        <source>ERROR : The record of this installation could not be written to %1: it cannot be removed.</source>
        <translation>FEHLER : Das Protokoll dieser Installation konnte nicht in %1 geschrieben werden: Sie kann nicht entfernt werden.</translation>
    </message>
    <message>
        <source>The earlier installation record %1 could not be read: it is kept as %2, and a new one begins.</source>
        <translation>Das frühere Installationsprotokoll %1 konnte nicht gelesen werden: Es bleibt als %2 erhalten, und ein neues beginnt.</translation>
    </message>
    <message>
        <source>User %1 is not logged on: their settings are left as they are (where Windows keeps them is known only while they are logged on). They get the display from the shared settings, or from a run while they are logged on.</source>
        <translation>Benutzer %1 ist nicht angemeldet: seine Einstellungen bleiben, wie sie sind (wo Windows sie ablegt, ist nur während seiner Anmeldung bekannt). Er erhält die Braillezeile aus den gemeinsamen Einstellungen oder durch einen Lauf, während er angemeldet ist.</translation>
    </message>
    <message>
        <source>ERROR : The record of this installation could not be written to %1: nothing was copied.</source>
        <translation>FEHLER : Das Protokoll dieser Installation konnte nicht in %1 geschrieben werden: Es wurde nichts kopiert.</translation>
    </message>
</context>
<context>
    <name>PageParts</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>Removal</name>
    <message>
        <source>Removal from %1 folder...</source>
        <translation>Entfernen aus dem Ordner %1...</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver has no installation record in %1: nothing was removed.</source>
        <translation>Der Korvalis-Braille-Treiber hat in %1 kein Installationsprotokoll: Es wurde nichts entfernt.</translation>
    </message>
    <message>
        <source>Restore the settings files of JAWS that the installation changed, keeping what was changed since.</source>
        <translation>Die von der Installation geänderten Einstellungsdateien von JAWS wiederherstellen, wobei seither Geändertes erhalten bleibt.</translation>
    </message>
    <message>
        <source>Put back the key maps that the installation moved aside.</source>
        <translation>Die von der Installation beiseitegelegten Tastaturbelegungen zurücklegen.</translation>
    </message>
    <message>
        <source>Remove the driver&apos;s files from %1, or put back the files they replaced.</source>
        <translation>Die Dateien des Treibers aus %1 entfernen oder die von ihnen ersetzten Dateien zurücklegen.</translation>
    </message>
    <message>
        <source>Remove the installation record and the folders the installation created, when they are empty.</source>
        <translation>Das Installationsprotokoll und die von der Installation angelegten Ordner entfernen, wenn sie leer sind.</translation>
    </message>
    <message>
        <source>ERROR : Jaws could not be closed: nothing was removed. Please close Jaws and remove the driver again.</source>
        <translation>FEHLER : Jaws konnte nicht beendet werden: Es wurde nichts entfernt. Bitte beenden Sie Jaws und entfernen Sie den Treiber erneut.</translation>
    </message>
    <message>
        <source>ERROR : Removal cancelled by the user: nothing was removed.</source>
        <translation>FEHLER : Entfernen vom Benutzer abgebrochen: Es wurde nichts entfernt.</translation>
    </message>
    <message>
        <source>%1 is no longer there: it was not restored.</source>
        <translation>%1 ist nicht mehr vorhanden: Die Datei wurde nicht wiederhergestellt.</translation>
    </message>
    <message>
        <source>OK : %1 restored as it was before the installation.</source>
        <translation>OK : %1 wie vor der Installation wiederhergestellt.</translation>
    </message>
    <message>
        <source>ERROR : %1 could not be restored.</source>
        <translation>FEHLER : %1 konnte nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>[%1] %2 in %3 was changed since the installation: it was kept as it is.</source>
        <translation>[%1] %2 in %3 wurde seit der Installation geändert: Der Wert bleibt, wie er ist.</translation>
    </message>
    <message>
        <source>OK : The values the installation wrote in %1 were restored.</source>
        <translation>OK : Die von der Installation in %1 geschriebenen Werte wurden wiederhergestellt.</translation>
    </message>
    <message>
        <source>ERROR : The values the installation wrote in %1 could not be restored.</source>
        <translation>FEHLER : Die von der Installation in %1 geschriebenen Werte konnten nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>%1 was made again since the installation: it was kept; the earlier one is %2.</source>
        <translation>%1 wurde seit der Installation neu angelegt: Die Datei bleibt; die frühere ist %2.</translation>
    </message>
    <message>
        <source>ERROR : %1 could not be put back: its backup %2 is gone.</source>
        <translation>FEHLER : %1 konnte nicht zurückgelegt werden: Die Sicherung %2 fehlt.</translation>
    </message>
    <message>
        <source>OK : %1 put back from %2.</source>
        <translation>OK : %1 aus %2 zurückgelegt.</translation>
    </message>
    <message>
        <source>ERROR : %1 could not be put back from %2.</source>
        <translation>FEHLER : %1 konnte nicht aus %2 zurückgelegt werden.</translation>
    </message>
    <message>
        <source>%1 was changed since the installation: it was kept.</source>
        <translation>%1 wurde seit der Installation geändert: Die Datei bleibt.</translation>
    </message>
    <message>
        <source>The installation record %1 is kept: remove the driver again once the errors above are mended.</source>
        <translation>Das Installationsprotokoll %1 bleibt: Entfernen Sie den Treiber erneut, wenn die obigen Fehler behoben sind.</translation>
    </message>
    <message>
        <source>OK : %1 folder removed.</source>
        <translation>OK : Ordner %1 entfernt.</translation>
    </message>
    <message>
        <source>ERROR : The installation record names %1, which lies outside this JAWS installation and its settings: it was left as it is.</source>
        <translation>FEHLER : Das Installationsprotokoll nennt %1, das außerhalb dieser JAWS-Installation und ihrer Einstellungen liegt: Es wurde unverändert gelassen.</translation>
    </message>
    <message>
        <source>The backup %1 was changed since the installation: %2 was restored value by value instead.</source>
        <translation>Die Sicherung %1 wurde seit der Installation geändert: %2 wurde stattdessen Wert für Wert wiederhergestellt.</translation>
    </message>
    <message>
        <source>ERROR : %1 was not put back: its backup %2 was changed since the installation.</source>
        <translation>FEHLER : %1 wurde nicht zurückgelegt: Seine Sicherung %2 wurde seit der Installation geändert.</translation>
    </message>
    <message>
        <source>ERROR : The installation record %1 is damaged or cannot be read: nothing was removed.</source>
        <translation>FEHLER : Das Installationsprotokoll %1 ist beschädigt oder kann nicht gelesen werden: Es wurde nichts entfernt.</translation>
    </message>
    <message>
        <source>JAWS is no longer installed in %1: nothing of the driver is left there.</source>
        <translation>JAWS ist in %1 nicht mehr installiert: Dort ist nichts vom Treiber übrig.</translation>
    </message>
    <message>
        <source>ERROR : Removal interrupted: what is listed above was done, the rest was not. The installation record is kept: remove the driver again to finish.</source>
        <translation>FEHLER : Entfernen unterbrochen: Was oben steht, wurde getan, der Rest nicht. Das Installationsprotokoll bleibt erhalten: Entfernen Sie den Treiber erneut, um es abzuschließen.</translation>
    </message>
    <message>
        <source>The last installation into %1 never finished: it was stopped before JAWS was configured. The files it copied are removed with the rest.</source>
        <translation>Die letzte Installation in %1 wurde nie abgeschlossen: Sie wurde angehalten, bevor JAWS eingerichtet war. Die Dateien, die sie kopiert hat, werden mit dem Rest entfernt.</translation>
    </message>
    <message>
        <source>Taking back the installation run %1 from %2 folder...</source>
        <translation>Installationslauf %1 wird im Ordner %2 zurückgenommen...</translation>
    </message>
    <message>
        <source>The installation run %1 left no change recorded in %2: nothing was taken back.</source>
        <translation>Der Installationslauf %1 hat in %2 keine vermerkte Änderung hinterlassen: Nichts wurde zurückgenommen.</translation>
    </message>
    <message>
        <source>one of an earlier program</source>
        <translation>einer eines früheren Programms</translation>
    </message>
    <message>
        <source>ERROR : The installation run %1 cannot be taken back alone: later runs built on it in %2 (%3). Take those back first, the latest first: nothing was taken back.</source>
        <translation>FEHLER : Der Installationslauf %1 kann nicht allein zurückgenommen werden: Spätere Läufe bauten in %2 darauf auf (%3). Nehmen Sie diese zuerst zurück, den letzten zuerst: Nichts wurde zurückgenommen.</translation>
    </message>
    <message>
        <source>ERROR : The installation record %1 could not be written: remove the driver again.</source>
        <translation>FEHLER : Der Installationsvermerk %1 konnte nicht geschrieben werden: Entfernen Sie den Treiber erneut.</translation>
    </message>
    <message>
        <source>OK : The installation record %1 now holds the earlier installations alone.</source>
        <translation>OK : Der Installationsvermerk %1 enthält jetzt nur noch die früheren Installationen.</translation>
    </message>
    <message>
        <source>NOTE : Windows&apos; list of apps could not be told the driver&apos;s version.</source>
        <translation>HINWEIS : Der Windows-Liste der Apps konnte die Version des Treibers nicht mitgeteilt werden.</translation>
    </message>
</context>
<context>
    <name>RemovalChoicePage</name>
    <message>
        <source>Please select the Jaws installation to remove the Korvalis Braille driver from.</source>
        <translation>Bitte wählen Sie die Jaws-Installation aus, aus der der Korvalis-Braille-Treiber entfernt werden soll.</translation>
    </message>
    <message>
        <source>&amp;Jaws folders:</source>
        <translation>&amp;Jaws-Ordner:</translation>
    </message>
    <message>
        <source>Jaws %1 in %2</source>
        <translation>Jaws %1 in %2</translation>
    </message>
</context>
<context>
    <name>RemovalConclusionPage</name>
    <message>
        <source>End of the removal</source>
        <translation>Abschluss der Entfernung</translation>
    </message>
    <message>
        <source>Click %1 to end the removal.</source>
        <translation>Klicken Sie auf %1, um die Entfernung zu beenden.</translation>
    </message>
</context>
<context>
    <name>RemovalPlanPage</name>
    <message>
        <source>&amp;What will be done:</source>
        <translation>&amp;Was geschehen wird:</translation>
    </message>
    <message>
        <source>Jaws %1 in %2</source>
        <translation>Jaws %1 in %2</translation>
    </message>
    <message>
        <source>the Jaws in %1</source>
        <translation>dem Jaws in %1</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver will be removed from %1, and the settings it changed put back as they were.</source>
        <translation>Der Korvalis-Braille-Treiber wird aus %1 entfernt, und die von ihm geänderten Einstellungen werden wiederhergestellt.</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver has no installation record in %1: there is nothing to remove.</source>
        <translation>Der Korvalis-Braille-Treiber hat in %1 keinen Installationsnachweis: Es gibt nichts zu entfernen.</translation>
    </message>
    <message>
        <source>The installation record of the Korvalis Braille driver in %1 is damaged or cannot be read: nothing can be removed. The removal report says more.</source>
        <translation>Das Installationsprotokoll des Korvalis-Braille-Treibers in %1 ist beschädigt oder kann nicht gelesen werden: Es kann nichts entfernt werden. Der Entfernungsbericht sagt mehr.</translation>
    </message>
</context>
<context>
    <name>RemovalProgressPage</name>
    <message>
        <source>Removal in progress...</source>
        <translation>Entfernung läuft...</translation>
    </message>
    <message>
        <source>Jaws will be closed while the driver is removed. It will be automatically restarted.</source>
        <translation>JAWS wird beendet, während der Treiber entfernt wird. Danach wird es automatisch neu gestartet.</translation>
    </message>
    <message>
        <source>Removal finished.</source>
        <translation>Entfernung abgeschlossen.</translation>
    </message>
</context>
<context>
    <name>RemovalWizard</name>
    <message>
        <source>&amp;Next&gt;</source>
        <translation>&amp;Weiter&gt;</translation>
    </message>
    <message>
        <source>Removing the Korvalis driver from Jaws</source>
        <translation>Korvalis-Treiber aus Jaws entfernen</translation>
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
        <translation>OK : Abschnitt [%1] wurde der Datei %2 hinzugefügt.</translation>
    </message>
    <message>
        <source>ERROR : Unable to add [%1] section to %2 file.</source>
        <translation>FEHLER : Abschnitt [%1] konnte der Datei %2 nicht hinzugefügt werden.</translation>
    </message>
    <message>
        <source>OK : &apos;%1&apos; Braille table selected in %2.</source>
        <translation>OK : Braille-Tabelle &apos;%1&apos; in %2 ausgewählt.</translation>
    </message>
    <message>
        <source>ERROR : Unable to select &apos;%1&apos; Braille table in %2.</source>
        <translation>FEHLER : Braille-Tabelle &apos;%1&apos; konnte in %2 nicht ausgewählt werden.</translation>
    </message>
    <message>
        <source>OK : %1 folder successfully created.</source>
        <translation>OK : Ordner %1 erfolgreich erstellt.</translation>
    </message>
    <message>
        <source>ERROR : Unable to create %1 folder.</source>
        <translation>FEHLER : Ordner %1 konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>OK : %1 file successfully copied.</source>
        <translation>OK : Datei %1 erfolgreich kopiert.</translation>
    </message>
    <message>
        <source>ERROR : Unable to copy %1 file.</source>
        <translation>FEHLER : Datei %1 konnte nicht kopiert werden.</translation>
    </message>
    <message>
        <source>OK : %1 file successfully saved.</source>
        <translation>OK : Datei %1 erfolgreich gespeichert.</translation>
    </message>
    <message>
        <source>ERROR : Unable to save %1 file.</source>
        <translation>FEHLER : Datei %1 konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>OK : %1 file successfully deleted.</source>
        <translation>OK : Datei %1 erfolgreich gelöscht.</translation>
    </message>
    <message>
        <source>ERROR : Unable to delete %1 file.</source>
        <translation>FEHLER : Datei %1 konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>Cannot open file %1.</source>
        <translation>Die Datei %1 kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Removal %1</source>
        <translation>Entfernung %1</translation>
    </message>
    <message>
        <source>ERROR : %1 is a link: it was left as it is.</source>
        <translation>FEHLER : %1 ist eine Verknüpfung: Es wurde unverändert gelassen.</translation>
    </message>
    <message>
        <source>ERROR : %1 is not a plain file: it was left as it is.</source>
        <translation>FEHLER : %1 ist keine gewöhnliche Datei: Es wurde unverändert gelassen.</translation>
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
        <translation>Die Installation wurde erfolgreich abgeschlossen.</translation>
    </message>
    <message>
        <source>Error during installation. The report is on the standard error stream.</source>
        <translation>Fehler bei der Installation. Der Bericht steht in der Standardfehlerausgabe.</translation>
    </message>
    <message>
        <source>Error during installation. Please check the %1 file for details.</source>
        <translation>Bei der Installation ist ein Fehler aufgetreten. Einzelheiten finden Sie in der Datei %1.</translation>
    </message>
    <message>
        <source>No installation report could be written.</source>
        <translation>Es konnte kein Installationsbericht geschrieben werden.</translation>
    </message>
    <message>
        <source>The installation report is %1.</source>
        <translation>Der Installationsbericht ist %1.</translation>
    </message>
    <message>
        <source>Removal correctly done.</source>
        <translation>Entfernen erfolgreich abgeschlossen.</translation>
    </message>
    <message>
        <source>Error during removal. The report is on the standard error stream.</source>
        <translation>Fehler beim Entfernen. Der Bericht steht im Standardfehlerkanal.</translation>
    </message>
    <message>
        <source>Error during removal. Please check the %1 file for details.</source>
        <translation>Fehler beim Entfernen. Einzelheiten finden Sie in der Datei %1.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver is installed in no Jaws on this computer: there is nothing to remove.</source>
        <translation>Der Korvalis-Braille-Treiber ist in keinem Jaws auf diesem Computer installiert: Es gibt nichts zu entfernen.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver is not installed in %1: there is nothing to remove.</source>
        <translation>Der Korvalis-Braille-Treiber ist in %1 nicht installiert: Es gibt nichts zu entfernen.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed.</source>
        <translation>Der Korvalis-Braille-Treiber wurde entfernt.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed. What was changed since the installation was kept: the removal report names it.</source>
        <translation>Der Korvalis-Braille-Treiber wurde entfernt. Was seit der Installation geändert wurde, blieb erhalten: Der Entfernungsbericht nennt es.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed, with errors: please read the removal report.</source>
        <translation>Der Korvalis-Braille-Treiber wurde entfernt, mit Fehlern: Bitte lesen Sie den Entfernungsbericht.</translation>
    </message>
    <message>
        <source>The removal was cancelled: nothing was removed.</source>
        <translation>Die Entfernung wurde abgebrochen: Es wurde nichts entfernt.</translation>
    </message>
    <message>
        <source>Jaws could not be closed: nothing was removed. Please close Jaws and try again.</source>
        <translation>Jaws konnte nicht beendet werden: Es wurde nichts entfernt. Bitte beenden Sie Jaws und versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>Nothing was removed: please read the removal report.</source>
        <translation>Es wurde nichts entfernt: Bitte lesen Sie den Entfernungsbericht.</translation>
    </message>
    <message>
        <source>No removal report could be written.</source>
        <translation>Es konnte kein Entfernungsbericht geschrieben werden.</translation>
    </message>
    <message>
        <source>The removal report is %1.</source>
        <translation>Der Entfernungsbericht ist %1.</translation>
    </message>
    <message>
        <source>The installation run %1 is taken back.</source>
        <translation>Der Installationslauf %1 ist zurückgenommen.</translation>
    </message>
</context>
<context>
    <name>UnattendedRun</name>
    <message>
        <source>%1 is not a JAWS installation of this computer.</source>
        <translation>%1 ist keine JAWS-Installation dieses Computers.</translation>
    </message>
    <message>
        <source>No JAWS installation was found.</source>
        <translation>Es wurde keine JAWS-Installation gefunden.</translation>
    </message>
    <message>
        <source>JAWS installations: %1</source>
        <translation>JAWS-Installationen: %1</translation>
    </message>
    <message>
        <source>Started without the wizard: %1</source>
        <translation>Ohne Assistent gestartet: %1</translation>
    </message>
    <message>
        <source>Installing the Korvalis Braille driver into %1 for the %2 display...</source>
        <translation>Der Korvalis-Braille-Treiber wird für die Braillezeile %2 in %1 installiert...</translation>
    </message>
    <message>
        <source>Closing JAWS...</source>
        <translation>JAWS wird beendet...</translation>
    </message>
    <message>
        <source>Copying files...</source>
        <translation>Dateien werden kopiert...</translation>
    </message>
    <message>
        <source>Configuring JAWS...</source>
        <translation>JAWS wird eingerichtet...</translation>
    </message>
    <message>
        <source>The report could not be written to %1.</source>
        <translation>Der Bericht konnte nicht in %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>Passed over: %1 holds no JAWS program.</source>
        <translation>Übergangen: %1 enthält kein JAWS-Programm.</translation>
    </message>
    <message>
        <source>Interrupted: stopping the installation...</source>
        <translation>Unterbrochen: die Installation wird beendet...</translation>
    </message>
    <message>
        <source>Installed already: left as it is.</source>
        <translation>Bereits installiert: unverändert gelassen.</translation>
    </message>
    <message>
        <source>Report: %1</source>
        <translation>Bericht: %1</translation>
    </message>
    <message>
        <source>JAWS is running in a session that this program cannot reach (it runs as another account while a user works): nothing was installed. Run the installation again when JAWS is not running.</source>
        <translation>JAWS läuft in einer Sitzung, die dieses Programm nicht erreichen kann (es läuft unter einem anderen Konto, während ein Benutzer arbeitet): Es wurde nichts installiert. Führen Sie die Installation erneut aus, wenn JAWS nicht läuft.</translation>
    </message>
    <message>
        <source>Interrupted: stopping the removal...</source>
        <translation>Unterbrochen: Das Entfernen wird angehalten...</translation>
    </message>
    <message>
        <source>Removing the Korvalis Braille driver from %1...</source>
        <translation>Der Korvalis-Braille-Treiber wird aus %1 entfernt...</translation>
    </message>
    <message>
        <source>Removing and restoring files...</source>
        <translation>Dateien werden entfernt und wiederhergestellt...</translation>
    </message>
    <message>
        <source>Nothing of the driver to remove: no installation record in %1.</source>
        <translation>Nichts vom Treiber zu entfernen: kein Installationsprotokoll in %1.</translation>
    </message>
    <message>
        <source>%1 is not a plain file.</source>
        <translation>%1 ist keine gewöhnliche Datei.</translation>
    </message>
    <message>
        <source>%1 lies among the files of JAWS or of its settings.</source>
        <translation>%1 liegt zwischen den Dateien von JAWS oder seinen Einstellungen.</translation>
    </message>
    <message>
        <source>The report cannot be written to --log %1: %2 Nothing was done.</source>
        <translation>Der Bericht kann nicht in --log %1 geschrieben werden: %2 Es wurde nichts getan.</translation>
    </message>
    <message>
        <source>The installation record in %1 is damaged or cannot be read: nothing was removed.</source>
        <translation>Das Installationsprotokoll in %1 ist beschädigt oder kann nicht gelesen werden: Es wurde nichts entfernt.</translation>
    </message>
    <message>
        <source>NOTE : The report could not be written to %1.</source>
        <translation>HINWEIS : Der Bericht konnte nicht in %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>JAWS is running in a session that this program cannot reach (it runs as another account while a user works): nothing was removed. Run the removal again when JAWS is not running.</source>
        <translation>JAWS läuft in einer Sitzung, die dieses Programm nicht erreichen kann (es läuft unter einem anderen Konto, während ein Benutzer arbeitet): Es wurde nichts entfernt. Führen Sie das Entfernen erneut aus, wenn JAWS nicht läuft.</translation>
    </message>
    <message>
        <source>Interrupted: a file could not be reached in time; the removal ends here. Remove the driver again to finish.</source>
        <translation>Unterbrochen: Eine Datei war nicht rechtzeitig erreichbar; die Entfernung endet hier. Entfernen Sie den Treiber erneut, um sie abzuschließen.</translation>
    </message>
    <message>
        <source>Interrupted: a file could not be reached in time; the installation ends here, each file whole. Run it again to finish.</source>
        <translation>Unterbrochen: Eine Datei war nicht rechtzeitig erreichbar; die Installation endet hier, jede Datei vollständig. Führen Sie sie erneut aus, um sie abzuschließen.</translation>
    </message>
    <message>
        <source>Taking back the installation run %1 from %2...</source>
        <translation>Installationslauf %1 wird in %2 zurückgenommen...</translation>
    </message>
    <message>
        <source>The installation run %1 cannot be taken back alone in %2: later runs built on it. Take those back first, the latest first.</source>
        <translation>Der Installationslauf %1 kann in %2 nicht allein zurückgenommen werden: Spätere Läufe bauten darauf auf. Nehmen Sie diese zuerst zurück, den letzten zuerst.</translation>
    </message>
    <message>
        <source>The installation run %1 left no change recorded in %2: nothing to take back.</source>
        <translation>Der Installationslauf %1 hat in %2 keine vermerkte Änderung hinterlassen: Nichts zurückzunehmen.</translation>
    </message>
    <message>
        <source>Installation run: %1</source>
        <translation>Installationslauf: %1</translation>
    </message>
</context>
</TS>
