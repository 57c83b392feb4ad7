<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>CollectInfoPage</name>
    <message>
        <source>Please select Jaws installation folder and your Braille device.</source>
        <translation>Selezionare la cartella di installazione di Jaws e il display braille.</translation>
    </message>
    <message>
        <source>&amp;Jaws folders:</source>
        <translation>Cartelle di &amp;Jaws:</translation>
    </message>
    <message>
        <source>&amp;Braille devices:</source>
        <translation>Display &amp;braille:</translation>
    </message>
</context>
<context>
    <name>ConclusionPage</name>
    <message>
        <source>Ending process</source>
        <translation>Fine dell&apos;installazione</translation>
    </message>
    <message>
        <source>Error during installation. Please check the %1 file for details.</source>
        <translation>Errore durante l&apos;installazione. Per i dettagli consultare il file %1.</translation>
    </message>
    <message>
        <source>Installation correctly done.</source>
        <translation>Installazione completata correttamente.</translation>
    </message>
    <message>
        <source>Click %1 to end the installation process.</source>
        <translation>Fare clic su %1 per terminare l&apos;installazione.</translation>
    </message>
</context>
<context>
    <name>CopyFilesPage</name>
    <message>
        <source>Installation in progress...</source>
        <translation>Installazione in corso...</translation>
    </message>
    <message>
        <source>Installation into %1 folder...</source>
        <translation>Installazione nella cartella %1...</translation>
    </message>
    <message>
        <source>Jaws will be closed while copying files. It will be automatically restarted.</source>
        <translation>JAWS verrà chiuso durante la copia dei file. Verrà riavviato automaticamente.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>Copy finished.</source>
        <translation>Copia completata.</translation>
    </message>
    <message>
        <source>ERROR : Installation cancelled by the user. The files copied so far stay; the settings of Jaws were not changed.</source>
        <translation>ERRORE : installazione annullata dall&apos;utente. I file già copiati restano al loro posto; le impostazioni di JAWS non sono state modificate.</translation>
    </message>
    <message>
        <source>ERROR : Jaws folder %1 or installation folder %2 not found: no file was copied.</source>
        <translation>ERRORE : cartella di Jaws %1 o cartella di installazione %2 non trovata: nessun file è stato copiato.</translation>
    </message>
</context>
<context>
    <name>InstallWizard</name>
    <message>
        <source>&amp;Next&gt;</source>
        <translation>&amp;Avanti&gt;</translation>
    </message>
    <message>
        <source>Korvalis driver for Jaws</source>
        <translation>Driver Korvalis per Jaws</translation>
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
        <translation>Questa procedura guidata installerà il driver braille QuorOlma %1.

Il driver è compatibile con:
- la gamma di prodotti Quor
- la gamma di prodotti Olma (versione firmware 1.71 o successiva).

Usare il tasto Tab per passare al pulsante successivo.</translation>
    </message>
</context>
<context>
    <name>JawsInstaller</name>
    <message>
        <source>Error while merging &apos;%1&apos; section of %2.</source>
        <translation>Errore durante l&apos;unione della sezione &apos;%1&apos; di %2.</translation>
    </message>
    <message>
        <source>Key &apos;BrailleName&apos; OLMA has been changed into OLMA171 in jfw.ini file.</source>
        <translation>La chiave &apos;BrailleName&apos; OLMA è stata cambiata in OLMA171 nel file jfw.ini.</translation>
    </message>
    <message>
        <source>No JAWS settings folder: the default Braille device was not selected.</source>
        <translation>Nessuna cartella delle impostazioni di JAWS: il display braille predefinito non è stato selezionato.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; Braille device selected in %2.</source>
        <translation>Display braille &apos;%1&apos; selezionato in %2.</translation>
    </message>
    <message>
        <source>Unable to select &apos;%1&apos; Braille device in %2.</source>
        <translation>Impossibile selezionare il display braille &apos;%1&apos; in %2.</translation>
    </message>
    <message>
        <source>ERROR : Unable to change key &apos;BrailleName&apos; OLMA into OLMA171 in jfw.ini file.</source>
        <translation>ERRORE : impossibile cambiare la chiave &apos;BrailleName&apos; OLMA in OLMA171 nel file jfw.ini.</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>Installation %1</source>
        <translation>Installazione %1</translation>
    </message>
    <message>
        <source>OK : [%1] section has been added to %2 file.</source>
        <translation>OK : la sezione [%1] è stata aggiunta al file %2.</translation>
    </message>
    <message>
        <source>ERROR : Unable to add [%1] section to %2 file.</source>
        <translation>ERRORE : impossibile aggiungere la sezione [%1] al file %2.</translation>
    </message>
    <message>
        <source>OK : &apos;%1&apos; Braille table selected in %2.</source>
        <translation>OK : tabella braille &apos;%1&apos; selezionata in %2.</translation>
    </message>
    <message>
        <source>ERROR : Unable to select &apos;%1&apos; Braille table in %2.</source>
        <translation>ERRORE : impossibile selezionare la tabella braille &apos;%1&apos; in %2.</translation>
    </message>
    <message>
        <source>OK : %1 folder successfully created.</source>
        <translation>OK : cartella %1 creata correttamente.</translation>
    </message>
    <message>
        <source>ERROR : Unable to create %1 folder.</source>
        <translation>ERRORE : impossibile creare la cartella %1.</translation>
    </message>
    <message>
        <source>OK : %1 file successfully copied.</source>
        <translation>OK : file %1 copiato correttamente.</translation>
    </message>
    <message>
        <source>ERROR : Unable to copy %1 file.</source>
        <translation>ERRORE : impossibile copiare il file %1.</translation>
    </message>
    <message>
        <source>OK : %1 file successfully saved.</source>
        <translation>OK : file %1 salvato correttamente.</translation>
    </message>
    <message>
        <source>ERROR : Unable to save %1 file.</source>
        <translation>ERRORE : impossibile salvare il file %1.</translation>
    </message>
    <message>
        <source>OK : %1 file successfully deleted.</source>
        <translation>OK : file %1 eliminato correttamente.</translation>
    </message>
    <message>
        <source>ERROR : Unable to delete %1 file.</source>
        <translation>ERRORE : impossibile eliminare il file %1.</translation>
    </message>
    <message>
        <source>Cannot open file %1.</source>
        <translation>Impossibile aprire il file %1.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
</context>
</TS>
