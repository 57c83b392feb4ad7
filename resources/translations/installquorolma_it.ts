<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it">
<context>
    <name>AppsListEntry</name>
    <message>
        <source>%1 could not be copied to %2</source>
        <translation>impossibile copiare %1 in %2</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>impossibile scrivere %1</translation>
    </message>
    <message>
        <source>QuorOlma braille driver for JAWS %1</source>
        <translation>Driver braille QuorOlma per JAWS %1</translation>
    </message>
    <message>
        <source>the Program Files folder is unknown</source>
        <translation>la cartella Programmi è sconosciuta</translation>
    </message>
    <message>
        <source>the registry key HKEY_LOCAL_MACHINE\%1 could not be written</source>
        <translation>impossibile scrivere la chiave di registro HKEY_LOCAL_MACHINE\%1</translation>
    </message>
    <message>
        <source>NOTE : The driver could not be added to Windows&apos; list of apps (%1). It works all the same.</source>
        <translation>NOTA : impossibile aggiungere il driver all&apos;elenco delle app di Windows (%1). Il driver funziona comunque.</translation>
    </message>
    <message>
        <source>OK : &quot;%1&quot; added to Windows&apos; list of apps.</source>
        <translation>OK : « %1 » è stato aggiunto all&apos;elenco delle app di Windows.</translation>
    </message>
    <message>
        <source>ERROR : The entry of %1 in Windows&apos; list of apps could not be deleted.</source>
        <translation>ERRORE : impossibile eliminare la voce di %1 dall&apos;elenco delle app di Windows.</translation>
    </message>
    <message>
        <source>ERROR : The program&apos;s copy in %1 could not be deleted.</source>
        <translation>ERRORE : impossibile eliminare la copia del programma in %1.</translation>
    </message>
    <message>
        <source>OK : The driver&apos;s entry for %1 deleted from Windows&apos; list of apps.</source>
        <translation>OK : la voce del driver per %1 è stata eliminata dall&apos;elenco delle app di Windows.</translation>
    </message>
    <message>
        <source>OK : The driver&apos;s own entry in Windows&apos; list of apps gave way to its Windows Installer package&apos;s.</source>
        <translation>OK : la voce propria del driver nell&apos;elenco delle app di Windows ha lasciato il posto a quella del suo pacchetto Windows Installer.</translation>
    </message>
    <message>
        <source>OK : Windows&apos; list of apps lists the driver by its Windows Installer package.</source>
        <translation>OK : l&apos;elenco delle app di Windows riporta il driver tramite il suo pacchetto Windows Installer.</translation>
    </message>
</context>
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
    <name>CommandLine</name>
    <message>
        <source>Install without a window or a message box.</source>
        <translation>Installa senza finestre né messaggi.</translation>
    </message>
    <message>
        <source>The Braille display to make the default one.</source>
        <translation>Il display braille da rendere predefinito.</translation>
    </message>
    <message>
        <source>Also write the installation report to this file.</source>
        <translation>Scrive il rapporto di installazione anche in questo file.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>Leave JAWS closed if the installation had to close it.</source>
        <translation>Lascia JAWS chiuso se l&apos;installazione ha dovuto chiuderlo.</translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation>Mostra questo aiuto ed esce.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version and end.</source>
        <translation>Mostra la versione del programma ed esce.</translation>
    </message>
    <message>
        <source>--%1, --%2, --%3 and --%4 are for an installation with --%5.</source>
        <translation>--%1, --%2, --%3 e --%4 valgono per un&apos;installazione con --%5.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1.</source>
        <translation>Argomento inatteso: %1.</translation>
    </message>
    <message>
        <source>--%1 is given more than once.</source>
        <translation>--%1 è indicato più di una volta.</translation>
    </message>
    <message>
        <source>--%1 needs a value.</source>
        <translation>--%1 richiede un valore.</translation>
    </message>
    <message>
        <source>--%1 is missing.</source>
        <translation>Manca --%1.</translation>
    </message>
    <message>
        <source>Unknown display: %1. Known displays: %2.</source>
        <translation>Display sconosciuto: %1. Display noti: %2.</translation>
    </message>
    <message>
        <source>Installs the Korvalis Braille driver into JAWS. Without options, the installation wizard opens.</source>
        <translation>Installa il driver braille Korvalis in JAWS. Senza opzioni si apre la procedura guidata di installazione.</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>Esempio:</translation>
    </message>
    <message>
        <source>Exit codes of --unattended:</source>
        <translation>Codici di uscita di --unattended:</translation>
    </message>
    <message>
        <source>installed</source>
        <translation>installato</translation>
    </message>
    <message>
        <source>installed with errors (the report&apos;s ERROR lines say which)</source>
        <translation>installato con errori (le righe ERRORE del rapporto li indicano)</translation>
    </message>
    <message>
        <source>wrong usage: nothing was done</source>
        <translation>uso errato: non è stato fatto nulla</translation>
    </message>
    <message>
        <source>no such JAWS installation</source>
        <translation>installazione di JAWS inesistente</translation>
    </message>
    <message>
        <source>the installation package is incomplete: nothing was installed</source>
        <translation>il pacchetto di installazione è incompleto: non è stato installato nulla</translation>
    </message>
    <message>
        <source>The JAWS program folder to install into, &quot;latest&quot; for the JAWS of the highest version, or &quot;all&quot; for every JAWS installed.</source>
        <translation>La cartella del programma JAWS in cui installare, &quot;latest&quot; per il JAWS della versione più alta, o &quot;all&quot; per ogni JAWS installato.</translation>
    </message>
    <message>
        <source>FOLDER|latest|all</source>
        <translation>CARTELLA|latest|all</translation>
    </message>
    <message>
        <source>interrupted: nothing more was copied or configured</source>
        <translation>interrotto: non è stato copiato né configurato altro</translation>
    </message>
    <message>
        <source>Configure the user settings of every user who has settings for this JAWS, not only those of the user who is logged on.</source>
        <translation>Configura le impostazioni utente di tutti gli utenti che hanno impostazioni per questo JAWS, non solo quelle dell&apos;utente connesso.</translation>
    </message>
    <message>
        <source>--%1 is for an installation with --%2.</source>
        <translation>--%1 vale solo per un&apos;installazione con --%2.</translation>
    </message>
    <message>
        <source>JAWS could not be closed, or runs where this program cannot reach it (then nothing was installed)</source>
        <translation>impossibile chiudere JAWS, oppure è in esecuzione dove questo programma non può raggiungerlo (in tal caso non è stato installato nulla)</translation>
    </message>
    <message>
        <source>Remove the driver from the JAWS named by --jaws, restoring what its installations changed.</source>
        <translation>Rimuovere il driver dal JAWS indicato da --jaws, ripristinando ciò che le sue installazioni hanno modificato.</translation>
    </message>
    <message>
        <source>--%1 and --%2 are for an installation, not with --%3.</source>
        <translation>--%1 e --%2 sono per un&apos;installazione, non con --%3.</translation>
    </message>
    <message>
        <source>Windows-style switches work too, in any case: /unattended /jaws /display /log /norestart /remove /?</source>
        <translation>Funzionano anche le opzioni in stile Windows, maiuscole o minuscole: /unattended /jaws /display /log /norestart /remove /?</translation>
    </message>
    <message>
        <source>Exit codes of --unattended --remove:</source>
        <translation>Codici di uscita di --unattended --remove:</translation>
    </message>
    <message>
        <source>removed, or nothing of the driver to remove</source>
        <translation>rimosso, oppure nulla del driver da rimuovere</translation>
    </message>
    <message>
        <source>removed with errors (the report&apos;s ERROR lines say which)</source>
        <translation>rimosso con errori (le righe ERRORE del rapporto li indicano)</translation>
    </message>
    <message>
        <source>JAWS could not be closed, or runs where this program cannot reach it: nothing was removed</source>
        <translation>impossibile chiudere JAWS, oppure è in esecuzione dove questo programma non può raggiungerlo: non è stato rimosso nulla</translation>
    </message>
    <message>
        <source>another installation or removal runs on this computer: nothing was done, try again later</source>
        <translation>è in corso un&apos;altra installazione o rimozione su questo computer: non è stato fatto nulla, riprovare più tardi</translation>
    </message>
    <message>
        <source>interrupted: nothing more was removed; remove again to finish</source>
        <translation>interrotto: non è stato rimosso altro; rimuovere di nuovo per finire</translation>
    </message>
    <message>
        <source>Run by the driver&apos;s Windows Installer package: its entry in Windows&apos; list of apps and its files stand for the driver&apos;s own entries and the program&apos;s copy, which are not written.</source>
        <translation>Eseguito dal pacchetto Windows Installer del driver: la sua voce nell&apos;elenco delle app di Windows e i suoi file sostituiscono le voci proprie del driver e la copia del programma, che non vengono scritte.</translation>
    </message>
    <message>
        <source>The identifier to record this installation run under, so that it can be taken back alone later.</source>
        <translation>L&apos;identificativo con cui registrare questa esecuzione dell&apos;installazione, per poterla annullare da sola in seguito.</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Take back the installation run with this identifier alone, in the JAWS named by --jaws: the machine is then as the runs before it left it.</source>
        <translation>Annullare da sola l&apos;esecuzione dell&apos;installazione con questo identificativo, nel JAWS indicato da --jaws: il computer torna come lo avevano lasciato le esecuzioni precedenti.</translation>
    </message>
    <message>
        <source>--%1 is for a run with --%2, without --%3 and --%4.</source>
        <translation>--%1 si usa con --%2, senza --%3 e --%4.</translation>
    </message>
    <message>
        <source>--%1 %2 is not a run identifier: 1 to 64 letters, digits, &apos;-&apos;, &apos;_&apos;, &apos;.&apos;, &apos;{&apos; or &apos;}&apos;.</source>
        <translation>--%1 %2 non è un identificativo di esecuzione: da 1 a 64 lettere, cifre, &apos;-&apos;, &apos;_&apos;, &apos;.&apos;, &apos;{&apos; o &apos;}&apos;.</translation>
    </message>
</context>
<context>
    <name>ConclusionPage</name>
    <message>
        <source>Ending process</source>
        <translation>Fine dell&apos;installazione</translation>
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
    <message>
        <source>ERROR : Jaws could not be closed. Please restart Jaws after the installation.</source>
        <translation>ERRORE : impossibile chiudere Jaws. Riavviare Jaws dopo l&apos;installazione.</translation>
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
    <name>Installation</name>
    <message>
        <source>The driver is installed in %1 already: left as it is.</source>
        <translation>Il driver è già installato in %1: lasciato com&apos;è.</translation>
    </message>
    <message>
        <source>ERROR : Jaws could not be started again from %1. Please start Jaws yourself.</source>
        <translation>ERRORE : impossibile riavviare Jaws da %1. Avviare Jaws manualmente.</translation>
    </message>
    <message>
        <source>Installation run: %1</source>
        <translation>Esecuzione dell&apos;installazione: %1</translation>
    </message>
</context>
<context>
    <name>InstallerApplication</name>
    <message>
        <source>Another installation or removal of the Korvalis Braille driver is running on this computer: nothing was done. Try again once it has ended.</source>
        <translation>Su questo computer è in corso un&apos;altra installazione o rimozione del driver Braille Korvalis: non è stato fatto nulla. Riprovare quando sarà terminata.</translation>
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
        <source>ERROR : No Braille device of this driver was chosen: the default Braille device was not selected.</source>
        <translation>ERRORE : non è stato scelto alcun display braille di questo driver: il display braille predefinito non è stato selezionato.</translation>
    </message>
    <message>
        <source>ERROR : %1 is missing from the installation package: nothing was installed.</source>
        <translation>ERRORE : %1 manca nel pacchetto di installazione: non è stato installato nulla.</translation>
    </message>
    <message>
        <source>ERROR : %1 of the installation package has no [%2] section: nothing was installed.</source>
        <translation>ERRORE : %1 del pacchetto di installazione non ha la sezione [%2]: non è stato installato nulla.</translation>
    </message>
    <message>
        <source>ERROR : The installation package names no keyboard Braille table in its [%1] section: %2 was not changed.</source>
        <translation>ERRORE : il pacchetto di installazione non indica alcuna tabella braille della tastiera nella sezione [%1]: %2 non è stato modificato.</translation>
    </message>
    <message>
        <source>ERROR : Jaws settings folder %1 not found: nothing was configured there.</source>
        <translation>ERRORE : cartella delle impostazioni di Jaws %1 non trovata: lì non è stato configurato nulla.</translation>
    </message>
    <message>
        <source>No jfw.ini file was found in %1 nor in the shared settings folder %2: it has been created in %1.</source>
        <translation>Nessun file jfw.ini trovato in %1 né nella cartella delle impostazioni condivise %2: è stato creato in %1.</translation>
    </message>
    <message>
        <source>ERROR : Unable to change key &apos;BrailleName&apos; OLMA into OLMA171 in jfw.ini file.</source>
        <translation>ERRORE : impossibile cambiare la chiave &apos;BrailleName&apos; OLMA in OLMA171 nel file jfw.ini.</translation>
    </message>
    <message>
        <source>The package file %1 could not be deleted: it stays.</source>
        <translation>Il file del pacchetto %1 non è stato eliminato: rimane.</translation>
    </message>
    <message>
        <source>The package file %1 could not be deleted (%2): it stays.</source>
        <translation>Il file del pacchetto %1 non è stato eliminato (%2): rimane.</translation>
    </message>
    <message>
        <source>User settings: those of every user of this computer who has settings for the chosen Jaws.</source>
        <translation>Impostazioni utente: quelle di tutti gli utenti di questo computer che hanno impostazioni per il Jaws scelto.</translation>
    </message>
    <message>
        <source>No interactive user was found: the user settings are those of %1, the account that runs the installation.</source>
        <translation>Nessun utente connesso trovato: le impostazioni utente sono quelle di %1, l&apos;account che esegue l&apos;installazione.</translation>
    </message>
    <message>
        <source>User settings: those of %1.</source>
        <translation>Impostazioni utente: quelle di %1.</translation>
    </message>
    <message>
        <source>User %1 has no settings for this Jaws: left untouched.</source>
        <translation>L&apos;utente %1 non ha impostazioni per questo Jaws: lasciato invariato.</translation>
    </message>
    <message>
        <source>User settings of %1 in %2:</source>
        <translation>Impostazioni utente di %1 in %2:</translation>
    </message>
    <message>
        <source>ERROR : The record of this installation could not be written to %1: it cannot be removed.</source>
        <translation>ERRORE : impossibile scrivere la registrazione di questa installazione in %1: non potrà essere rimossa.</translation>
    </message>
    <message>
        <source>The earlier installation record %1 could not be read: it is kept as %2, and a new one begins.</source>
        <translation>Il precedente registro di installazione %1 non è stato letto: è conservato come %2 e ne inizia uno nuovo.</translation>
    </message>
    <message>
        <source>User %1 is not logged on: their settings are left as they are (where Windows keeps them is known only while they are logged on). They get the display from the shared settings, or from a run while they are logged on.</source>
        <translation>L&apos;utente %1 non ha effettuato l&apos;accesso: le sue impostazioni restano come sono (dove Windows le tiene è noto solo durante il suo accesso). Riceve il display dalle impostazioni condivise, o da un&apos;installazione eseguita mentre ha effettuato l&apos;accesso.</translation>
    </message>
    <message>
        <source>ERROR : The record of this installation could not be written to %1: nothing was copied.</source>
        <translation>ERRORE : impossibile scrivere la registrazione di questa installazione in %1: non è stato copiato nulla.</translation>
    </message>
</context>
<context>
    <name>PageParts</name>
    <message>
        <source>Warning</source>
        <translation>Avviso</translation>
    </message>
</context>
<context>
    <name>Removal</name>
    <message>
        <source>Removal from %1 folder...</source>
        <translation>Rimozione dalla cartella %1...</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver has no installation record in %1: nothing was removed.</source>
        <translation>Il driver Braille Korvalis non ha una registrazione di installazione in %1: non è stato rimosso nulla.</translation>
    </message>
    <message>
        <source>Restore the settings files of JAWS that the installation changed, keeping what was changed since.</source>
        <translation>Ripristinare i file di impostazioni di JAWS modificati dall&apos;installazione, mantenendo ciò che è stato cambiato da allora.</translation>
    </message>
    <message>
        <source>Put back the key maps that the installation moved aside.</source>
        <translation>Rimettere a posto le mappe dei tasti che l&apos;installazione ha messo da parte.</translation>
    </message>
    <message>
        <source>Remove the driver&apos;s files from %1, or put back the files they replaced.</source>
        <translation>Rimuovere i file del driver da %1, oppure rimettere i file che hanno sostituito.</translation>
    </message>
    <message>
        <source>Remove the installation record and the folders the installation created, when they are empty.</source>
        <translation>Rimuovere la registrazione di installazione e le cartelle create dall&apos;installazione, se sono vuote.</translation>
    </message>
    <message>
        <source>ERROR : Jaws could not be closed: nothing was removed. Please close Jaws and remove the driver again.</source>
        <translation>ERRORE : impossibile chiudere Jaws: non è stato rimosso nulla. Chiudere Jaws e rimuovere di nuovo il driver.</translation>
    </message>
    <message>
        <source>ERROR : Removal cancelled by the user: nothing was removed.</source>
        <translation>ERRORE : rimozione annullata dall&apos;utente: non è stato rimosso nulla.</translation>
    </message>
    <message>
        <source>%1 is no longer there: it was not restored.</source>
        <translation>%1 non esiste più: non è stato ripristinato.</translation>
    </message>
    <message>
        <source>OK : %1 restored as it was before the installation.</source>
        <translation>OK : %1 ripristinato com&apos;era prima dell&apos;installazione.</translation>
    </message>
    <message>
        <source>ERROR : %1 could not be restored.</source>
        <translation>ERRORE : impossibile ripristinare %1.</translation>
    </message>
    <message>
        <source>[%1] %2 in %3 was changed since the installation: it was kept as it is.</source>
        <translation>[%1] %2 in %3 è stato modificato dopo l&apos;installazione: è stato mantenuto così com&apos;è.</translation>
    </message>
    <message>
        <source>OK : The values the installation wrote in %1 were restored.</source>
        <translation>OK : i valori scritti dall&apos;installazione in %1 sono stati ripristinati.</translation>
    </message>
    <message>
        <source>ERROR : The values the installation wrote in %1 could not be restored.</source>
        <translation>ERRORE : impossibile ripristinare i valori scritti dall&apos;installazione in %1.</translation>
    </message>
    <message>
        <source>%1 was made again since the installation: it was kept; the earlier one is %2.</source>
        <translation>%1 è stato ricreato dopo l&apos;installazione: è stato mantenuto; quello precedente è %2.</translation>
    </message>
    <message>
        <source>ERROR : %1 could not be put back: its backup %2 is gone.</source>
        <translation>ERRORE : impossibile rimettere a posto %1: la sua copia di sicurezza %2 non c&apos;è più.</translation>
    </message>
    <message>
        <source>OK : %1 put back from %2.</source>
        <translation>OK : %1 rimesso a posto da %2.</translation>
    </message>
    <message>
        <source>ERROR : %1 could not be put back from %2.</source>
        <translation>ERRORE : impossibile rimettere a posto %1 da %2.</translation>
    </message>
    <message>
        <source>%1 was changed since the installation: it was kept.</source>
        <translation>%1 è stato modificato dopo l&apos;installazione: è stato mantenuto.</translation>
    </message>
    <message>
        <source>The installation record %1 is kept: remove the driver again once the errors above are mended.</source>
        <translation>La registrazione di installazione %1 è mantenuta: rimuovere di nuovo il driver dopo aver corretto gli errori sopra.</translation>
    </message>
    <message>
        <source>OK : %1 folder removed.</source>
        <translation>OK : cartella %1 rimossa.</translation>
    </message>
    <message>
        <source>ERROR : The installation record names %1, which lies outside this JAWS installation and its settings: it was left as it is.</source>
        <translation>ERRORE : Il registro di installazione indica %1, che si trova fuori da questa installazione di JAWS e dalle sue impostazioni: è stato lasciato com&apos;era.</translation>
    </message>
    <message>
        <source>The backup %1 was changed since the installation: %2 was restored value by value instead.</source>
        <translation>Il backup %1 è stato modificato dopo l&apos;installazione: %2 è stato invece ripristinato valore per valore.</translation>
    </message>
    <message>
        <source>ERROR : %1 was not put back: its backup %2 was changed since the installation.</source>
        <translation>ERRORE : %1 non è stato rimesso al suo posto: il suo backup %2 è stato modificato dopo l&apos;installazione.</translation>
    </message>
    <message>
        <source>ERROR : The installation record %1 is damaged or cannot be read: nothing was removed.</source>
        <translation>ERRORE : Il registro di installazione %1 è danneggiato o illeggibile: non è stato rimosso nulla.</translation>
    </message>
    <message>
        <source>JAWS is no longer installed in %1: nothing of the driver is left there.</source>
        <translation>JAWS non è più installato in %1: lì non resta nulla del driver.</translation>
    </message>
    <message>
        <source>ERROR : Removal interrupted: what is listed above was done, the rest was not. The installation record is kept: remove the driver again to finish.</source>
        <translation>ERRORE : Rimozione interrotta: quanto elencato sopra è stato fatto, il resto no. Il registro di installazione è conservato: rimuovere di nuovo il driver per finire.</translation>
    </message>
    <message>
        <source>The last installation into %1 never finished: it was stopped before JAWS was configured. The files it copied are removed with the rest.</source>
        <translation>L&apos;ultima installazione in %1 non è mai terminata: è stata interrotta prima che JAWS fosse configurato. I file che aveva copiato vengono rimossi insieme al resto.</translation>
    </message>
    <message>
        <source>Taking back the installation run %1 from %2 folder...</source>
        <translation>Annullamento dell&apos;esecuzione dell&apos;installazione %1 nella cartella %2...</translation>
    </message>
    <message>
        <source>The installation run %1 left no change recorded in %2: nothing was taken back.</source>
        <translation>L&apos;esecuzione dell&apos;installazione %1 non ha lasciato modifiche registrate in %2: non è stato annullato nulla.</translation>
    </message>
    <message>
        <source>one of an earlier program</source>
        <translation>una di un programma precedente</translation>
    </message>
    <message>
        <source>ERROR : The installation run %1 cannot be taken back alone: later runs built on it in %2 (%3). Take those back first, the latest first: nothing was taken back.</source>
        <translation>ERRORE : L&apos;esecuzione dell&apos;installazione %1 non può essere annullata da sola: esecuzioni successive si basano su di essa in %2 (%3). Annullare prima quelle, dalla più recente: non è stato annullato nulla.</translation>
    </message>
    <message>
        <source>ERROR : The installation record %1 could not be written: remove the driver again.</source>
        <translation>ERRORE : Il registro dell&apos;installazione %1 non può essere scritto: rimuovere di nuovo il driver.</translation>
    </message>
    <message>
        <source>OK : The installation record %1 now holds the earlier installations alone.</source>
        <translation>OK : Il registro dell&apos;installazione %1 contiene ora soltanto le installazioni precedenti.</translation>
    </message>
    <message>
        <source>NOTE : Windows&apos; list of apps could not be told the driver&apos;s version.</source>
        <translation>NOTA : Non è stato possibile indicare la versione del driver all&apos;elenco delle app di Windows.</translation>
    </message>
</context>
<context>
    <name>RemovalChoicePage</name>
    <message>
        <source>Please select the Jaws installation to remove the Korvalis Braille driver from.</source>
        <translation>Selezionare l&apos;installazione di Jaws da cui rimuovere il driver braille Korvalis.</translation>
    </message>
    <message>
        <source>&amp;Jaws folders:</source>
        <translation>Cartelle di &amp;Jaws:</translation>
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
        <translation>Fine della rimozione</translation>
    </message>
    <message>
        <source>Click %1 to end the removal.</source>
        <translation>Fare clic su %1 per terminare la rimozione.</translation>
    </message>
</context>
<context>
    <name>RemovalPlanPage</name>
    <message>
        <source>&amp;What will be done:</source>
        <translation>&amp;Cosa verrà fatto:</translation>
    </message>
    <message>
        <source>Jaws %1 in %2</source>
        <translation>Jaws %1 in %2</translation>
    </message>
    <message>
        <source>the Jaws in %1</source>
        <translation>il Jaws in %1</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver will be removed from %1, and the settings it changed put back as they were.</source>
        <translation>Il driver braille Korvalis verrà rimosso da %1 e le impostazioni che ha modificato verranno ripristinate.</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Rimuovi</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver has no installation record in %1: there is nothing to remove.</source>
        <translation>Il driver braille Korvalis non ha un registro di installazione in %1: non c&apos;è nulla da rimuovere.</translation>
    </message>
    <message>
        <source>The installation record of the Korvalis Braille driver in %1 is damaged or cannot be read: nothing can be removed. The removal report says more.</source>
        <translation>Il registro di installazione del driver Braille Korvalis in %1 è danneggiato o illeggibile: non si può rimuovere nulla. Il rapporto di rimozione dice di più.</translation>
    </message>
</context>
<context>
    <name>RemovalProgressPage</name>
    <message>
        <source>Removal in progress...</source>
        <translation>Rimozione in corso...</translation>
    </message>
    <message>
        <source>Jaws will be closed while the driver is removed. It will be automatically restarted.</source>
        <translation>Jaws verrà chiuso durante la rimozione del driver. Verrà riavviato automaticamente.</translation>
    </message>
    <message>
        <source>Removal finished.</source>
        <translation>Rimozione completata.</translation>
    </message>
</context>
<context>
    <name>RemovalWizard</name>
    <message>
        <source>&amp;Next&gt;</source>
        <translation>&amp;Avanti&gt;</translation>
    </message>
    <message>
        <source>Removing the Korvalis driver from Jaws</source>
        <translation>Rimozione del driver Korvalis da Jaws</translation>
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
    <message>
        <source>Removal %1</source>
        <translation>Rimozione %1</translation>
    </message>
    <message>
        <source>ERROR : %1 is a link: it was left as it is.</source>
        <translation>ERRORE : %1 è un collegamento: è stato lasciato com&apos;era.</translation>
    </message>
    <message>
        <source>ERROR : %1 is not a plain file: it was left as it is.</source>
        <translation>ERRORE : %1 non è un semplice file: è stato lasciato com&apos;era.</translation>
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
        <translation>Installazione completata correttamente.</translation>
    </message>
    <message>
        <source>Error during installation. The report is on the standard error stream.</source>
        <translation>Errore durante l&apos;installazione. Il rapporto è sullo standard error.</translation>
    </message>
    <message>
        <source>Error during installation. Please check the %1 file for details.</source>
        <translation>Errore durante l&apos;installazione. Per i dettagli consultare il file %1.</translation>
    </message>
    <message>
        <source>No installation report could be written.</source>
        <translation>Non è stato possibile scrivere alcun rapporto di installazione.</translation>
    </message>
    <message>
        <source>The installation report is %1.</source>
        <translation>Il rapporto di installazione è %1.</translation>
    </message>
    <message>
        <source>Removal correctly done.</source>
        <translation>Rimozione eseguita correttamente.</translation>
    </message>
    <message>
        <source>Error during removal. The report is on the standard error stream.</source>
        <translation>Errore durante la rimozione. Il rapporto è sul flusso di errore standard.</translation>
    </message>
    <message>
        <source>Error during removal. Please check the %1 file for details.</source>
        <translation>Errore durante la rimozione. Consultare il file %1 per i dettagli.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver is installed in no Jaws on this computer: there is nothing to remove.</source>
        <translation>Il driver braille Korvalis non è installato in nessun Jaws di questo computer: non c&apos;è nulla da rimuovere.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver is not installed in %1: there is nothing to remove.</source>
        <translation>Il driver braille Korvalis non è installato in %1: non c&apos;è nulla da rimuovere.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed.</source>
        <translation>Il driver braille Korvalis è stato rimosso.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed. What was changed since the installation was kept: the removal report names it.</source>
        <translation>Il driver braille Korvalis è stato rimosso. Ciò che è stato modificato dopo l&apos;installazione è stato mantenuto: il rapporto di rimozione lo indica.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed, with errors: please read the removal report.</source>
        <translation>Il driver braille Korvalis è stato rimosso, con errori: leggere il rapporto di rimozione.</translation>
    </message>
    <message>
        <source>The removal was cancelled: nothing was removed.</source>
        <translation>La rimozione è stata annullata: non è stato rimosso nulla.</translation>
    </message>
    <message>
        <source>Jaws could not be closed: nothing was removed. Please close Jaws and try again.</source>
        <translation>Non è stato possibile chiudere Jaws: non è stato rimosso nulla. Chiudere Jaws e riprovare.</translation>
    </message>
    <message>
        <source>Nothing was removed: please read the removal report.</source>
        <translation>Non è stato rimosso nulla: leggere il rapporto di rimozione.</translation>
    </message>
    <message>
        <source>No removal report could be written.</source>
        <translation>Non è stato possibile scrivere alcun rapporto di rimozione.</translation>
    </message>
    <message>
        <source>The removal report is %1.</source>
        <translation>Il rapporto di rimozione è %1.</translation>
    </message>
    <message>
        <source>The installation run %1 is taken back.</source>
        <translation>L&apos;esecuzione dell&apos;installazione %1 è stata annullata.</translation>
    </message>
</context>
<context>
    <name>UnattendedRun</name>
    <message>
        <source>%1 is not a JAWS installation of this computer.</source>
        <translation>%1 non è un&apos;installazione di JAWS di questo computer.</translation>
    </message>
    <message>
        <source>No JAWS installation was found.</source>
        <translation>Non è stata trovata alcuna installazione di JAWS.</translation>
    </message>
    <message>
        <source>JAWS installations: %1</source>
        <translation>Installazioni di JAWS: %1</translation>
    </message>
    <message>
        <source>Started without the wizard: %1</source>
        <translation>Avviato senza procedura guidata: %1</translation>
    </message>
    <message>
        <source>Installing the Korvalis Braille driver into %1 for the %2 display...</source>
        <translation>Installazione del driver braille Korvalis in %1 per il display %2...</translation>
    </message>
    <message>
        <source>Closing JAWS...</source>
        <translation>Chiusura di JAWS...</translation>
    </message>
    <message>
        <source>Copying files...</source>
        <translation>Copia dei file...</translation>
    </message>
    <message>
        <source>Configuring JAWS...</source>
        <translation>Configurazione di JAWS...</translation>
    </message>
    <message>
        <source>The report could not be written to %1.</source>
        <translation>Impossibile scrivere il rapporto in %1.</translation>
    </message>
    <message>
        <source>Passed over: %1 holds no JAWS program.</source>
        <translation>Saltato: %1 non contiene un programma JAWS.</translation>
    </message>
    <message>
        <source>Interrupted: stopping the installation...</source>
        <translation>Interrotto: arresto dell&apos;installazione...</translation>
    </message>
    <message>
        <source>Installed already: left as it is.</source>
        <translation>Già installato: lasciato com&apos;è.</translation>
    </message>
    <message>
        <source>Report: %1</source>
        <translation>Rapporto: %1</translation>
    </message>
    <message>
        <source>JAWS is running in a session that this program cannot reach (it runs as another account while a user works): nothing was installed. Run the installation again when JAWS is not running.</source>
        <translation>JAWS è in esecuzione in una sessione che questo programma non può raggiungere (viene eseguito con un altro account mentre un utente lavora): non è stato installato nulla. Eseguire di nuovo l&apos;installazione quando JAWS non è in esecuzione.</translation>
    </message>
    <message>
        <source>Interrupted: stopping the removal...</source>
        <translation>Interrotto: arresto della rimozione...</translation>
    </message>
    <message>
        <source>Removing the Korvalis Braille driver from %1...</source>
        <translation>Rimozione del driver Braille Korvalis da %1...</translation>
    </message>
    <message>
        <source>Removing and restoring files...</source>
        <translation>Rimozione e ripristino dei file...</translation>
    </message>
    <message>
        <source>Nothing of the driver to remove: no installation record in %1.</source>
        <translation>Nulla del driver da rimuovere: nessuna registrazione di installazione in %1.</translation>
    </message>
    <message>
        <source>%1 is not a plain file.</source>
        <translation>%1 non è un semplice file.</translation>
    </message>
    <message>
        <source>%1 lies among the files of JAWS or of its settings.</source>
        <translation>%1 si trova tra i file di JAWS o delle sue impostazioni.</translation>
    </message>
    <message>
        <source>The report cannot be written to --log %1: %2 Nothing was done.</source>
        <translation>Il rapporto non può essere scritto in --log %1: %2 Non è stato fatto nulla.</translation>
    </message>
    <message>
        <source>The installation record in %1 is damaged or cannot be read: nothing was removed.</source>
        <translation>Il registro di installazione in %1 è danneggiato o illeggibile: non è stato rimosso nulla.</translation>
    </message>
    <message>
        <source>NOTE : The report could not be written to %1.</source>
        <translation>NOTA : Non è stato possibile scrivere il rapporto in %1.</translation>
    </message>
    <message>
        <source>JAWS is running in a session that this program cannot reach (it runs as another account while a user works): nothing was removed. Run the removal again when JAWS is not running.</source>
        <translation>JAWS è in esecuzione in una sessione che questo programma non può raggiungere (viene eseguito con un altro account mentre un utente lavora): non è stato rimosso nulla. Eseguire di nuovo la rimozione quando JAWS non è in esecuzione.</translation>
    </message>
    <message>
        <source>Interrupted: a file could not be reached in time; the removal ends here. Remove the driver again to finish.</source>
        <translation>Interrotto: un file non è stato raggiungibile in tempo; la rimozione termina qui. Rimuovere di nuovo il driver per completarla.</translation>
    </message>
    <message>
        <source>Interrupted: a file could not be reached in time; the installation ends here, each file whole. Run it again to finish.</source>
        <translation>Interrotto: un file non è stato raggiungibile in tempo; l&apos;installazione termina qui, ogni file integro. Eseguirla di nuovo per completarla.</translation>
    </message>
    <message>
        <source>Taking back the installation run %1 from %2...</source>
        <translation>Annullamento dell&apos;esecuzione dell&apos;installazione %1 in %2...</translation>
    </message>
    <message>
        <source>The installation run %1 cannot be taken back alone in %2: later runs built on it. Take those back first, the latest first.</source>
        <translation>L&apos;esecuzione dell&apos;installazione %1 non può essere annullata da sola in %2: esecuzioni successive si basano su di essa. Annullare prima quelle, dalla più recente.</translation>
    </message>
    <message>
        <source>The installation run %1 left no change recorded in %2: nothing to take back.</source>
        <translation>L&apos;esecuzione dell&apos;installazione %1 non ha lasciato modifiche registrate in %2: niente da annullare.</translation>
    </message>
    <message>
        <source>Installation run: %1</source>
        <translation>Esecuzione dell&apos;installazione: %1</translation>
    </message>
</context>
</TS>
