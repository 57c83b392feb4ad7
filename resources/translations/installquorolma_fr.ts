<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>AppsListEntry</name>
    <message>
        <source>%1 could not be copied to %2</source>
        <translation>%1 n&apos;a pas pu être copié vers %2</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>%1 n&apos;a pas pu être écrit</translation>
    </message>
    <message>
        <source>QuorOlma braille driver for JAWS %1</source>
        <translation>Pilote braille QuorOlma pour JAWS %1</translation>
    </message>
    <message>
        <source>the Program Files folder is unknown</source>
        <translation>le dossier Program Files est inconnu</translation>
    </message>
    <message>
        <source>the registry key HKEY_LOCAL_MACHINE\%1 could not be written</source>
        <translation>la clé de registre HKEY_LOCAL_MACHINE\%1 n&apos;a pas pu être écrite</translation>
    </message>
    <message>
        <source>NOTE : The driver could not be added to Windows&apos; list of apps (%1). It works all the same.</source>
        <translation>REMARQUE : le pilote n&apos;a pas pu être ajouté à la liste des applications de Windows (%1). Il fonctionne quand même.</translation>
    </message>
    <message>
        <source>OK : &quot;%1&quot; added to Windows&apos; list of apps.</source>
        <translation>OK : « %1 » a été ajouté à la liste des applications de Windows.</translation>
    </message>
    <message>
        <source>ERROR : The entry of %1 in Windows&apos; list of apps could not be deleted.</source>
        <translation>ERREUR : l&apos;entrée de %1 dans la liste des applications de Windows n&apos;a pas pu être supprimée.</translation>
    </message>
    <message>
        <source>ERROR : The program&apos;s copy in %1 could not be deleted.</source>
        <translation>ERREUR : la copie du programme dans %1 n&apos;a pas pu être supprimée.</translation>
    </message>
    <message>
        <source>OK : The driver&apos;s entry for %1 deleted from Windows&apos; list of apps.</source>
        <translation>OK : l&apos;entrée du pilote pour %1 a été supprimée de la liste des applications de Windows.</translation>
    </message>
    <message>
        <source>OK : The driver&apos;s own entry in Windows&apos; list of apps gave way to its Windows Installer package&apos;s.</source>
        <translation>OK : l&apos;entrée propre du pilote dans la liste des applications de Windows a cédé la place à celle de son paquet Windows Installer.</translation>
    </message>
    <message>
        <source>OK : Windows&apos; list of apps lists the driver by its Windows Installer package.</source>
        <translation>OK : la liste des applications de Windows indique le pilote par son paquet Windows Installer.</translation>
    </message>
</context>
<context>
    <name>CollectInfoPage</name>
    <message>
        <source>Please select Jaws installation folder and your Braille device.</source>
        <translation>Veuillez sélectionner le dossier d&apos;installation de Jaws et votre afficheur braille.</translation>
    </message>
    <message>
        <source>&amp;Jaws folders:</source>
        <translation>Dossiers &amp;Jaws :</translation>
    </message>
    <message>
        <source>&amp;Braille devices:</source>
        <translation>Afficheurs &amp;braille :</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Install without a window or a message box.</source>
        <translation>Installer sans fenêtre ni boîte de message.</translation>
    </message>
    <message>
        <source>The Braille display to make the default one.</source>
        <translation>L&apos;afficheur braille à choisir par défaut.</translation>
    </message>
    <message>
        <source>Also write the installation report to this file.</source>
        <translation>Écrire aussi le rapport d&apos;installation dans ce fichier.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FICHIER</translation>
    </message>
    <message>
        <source>Leave JAWS closed if the installation had to close it.</source>
        <translation>Laisser JAWS fermé si l&apos;installation a dû le fermer.</translation>
    </message>
    <message>
        <source>Show this help and end.</source>
        <translation>Afficher cette aide et terminer.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version and end.</source>
        <translation>Afficher la version du programme et terminer.</translation>
    </message>
    <message>
        <source>--%1, --%2, --%3 and --%4 are for an installation with --%5.</source>
        <translation>--%1, --%2, --%3 et --%4 servent à une installation avec --%5.</translation>
    </message>
    <message>
        <source>Unexpected argument: %1.</source>
        <translation>Argument inattendu : %1.</translation>
    </message>
    <message>
        <source>--%1 is given more than once.</source>
        <translation>--%1 est donné plus d&apos;une fois.</translation>
    </message>
    <message>
        <source>--%1 needs a value.</source>
        <translation>--%1 demande une valeur.</translation>
    </message>
    <message>
        <source>--%1 is missing.</source>
        <translation>--%1 manque.</translation>
    </message>
    <message>
        <source>Unknown display: %1. Known displays: %2.</source>
        <translation>Afficheur inconnu : %1. Afficheurs connus : %2.</translation>
    </message>
    <message>
        <source>Installs the Korvalis Braille driver into JAWS. Without options, the installation wizard opens.</source>
        <translation>Installe le pilote braille Korvalis dans JAWS. Sans option, l&apos;assistant d&apos;installation s&apos;ouvre.</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>Exemple :</translation>
    </message>
    <message>
        <source>Exit codes of --unattended:</source>
        <translation>Codes de sortie de --unattended :</translation>
    </message>
    <message>
        <source>installed</source>
        <translation>installé</translation>
    </message>
    <message>
        <source>installed with errors (the report&apos;s ERROR lines say which)</source>
        <translation>installé avec des erreurs (les lignes ERREUR du rapport les indiquent)</translation>
    </message>
    <message>
        <source>wrong usage: nothing was done</source>
        <translation>mauvaise utilisation : rien n&apos;a été fait</translation>
    </message>
    <message>
        <source>no such JAWS installation</source>
        <translation>installation de JAWS introuvable</translation>
    </message>
    <message>
        <source>the installation package is incomplete: nothing was installed</source>
        <translation>le paquet d&apos;installation est incomplet : rien n&apos;a été installé</translation>
    </message>
    <message>
        <source>The JAWS program folder to install into, &quot;latest&quot; for the JAWS of the highest version, or &quot;all&quot; for every JAWS installed.</source>
        <translation>Le dossier de programme de JAWS où installer, &quot;latest&quot; pour le JAWS de la version la plus récente, ou &quot;all&quot; pour chaque JAWS installé.</translation>
    </message>
    <message>
        <source>FOLDER|latest|all</source>
        <translation>DOSSIER|latest|all</translation>
    </message>
    <message>
        <source>interrupted: nothing more was copied or configured</source>
        <translation>interrompu : rien de plus n&apos;a été copié ni configuré</translation>
    </message>
    <message>
        <source>Configure the user settings of every user who has settings for this JAWS, not only those of the user who is logged on.</source>
        <translation>Configurer les paramètres utilisateur de tous les utilisateurs qui ont des paramètres pour ce JAWS, pas seulement ceux de l&apos;utilisateur connecté.</translation>
    </message>
    <message>
        <source>--%1 is for an installation with --%2.</source>
        <translation>--%1 ne sert qu&apos;à une installation avec --%2.</translation>
    </message>
    <message>
        <source>JAWS could not be closed, or runs where this program cannot reach it (then nothing was installed)</source>
        <translation>JAWS n&apos;a pas pu être fermé, ou il fonctionne là où ce programme ne peut pas l&apos;atteindre (rien n&apos;a alors été installé)</translation>
    </message>
    <message>
        <source>Remove the driver from the JAWS named by --jaws, restoring what its installations changed.</source>
        <translation>Supprimer le pilote du JAWS désigné par --jaws, en rétablissant ce que ses installations ont modifié.</translation>
    </message>
    <message>
        <source>--%1 and --%2 are for an installation, not with --%3.</source>
        <translation>--%1 et --%2 sont pour une installation, pas avec --%3.</translation>
    </message>
    <message>
        <source>Windows-style switches work too, in any case: /unattended /jaws /display /log /norestart /remove /?</source>
        <translation>Les options à la manière de Windows fonctionnent aussi, en majuscules ou minuscules : /unattended /jaws /display /log /norestart /remove /?</translation>
    </message>
    <message>
        <source>Exit codes of --unattended --remove:</source>
        <translation>Codes de sortie de --unattended --remove :</translation>
    </message>
    <message>
        <source>removed, or nothing of the driver to remove</source>
        <translation>supprimé, ou rien du pilote à supprimer</translation>
    </message>
    <message>
        <source>removed with errors (the report&apos;s ERROR lines say which)</source>
        <translation>supprimé avec des erreurs (les lignes ERREUR du rapport les indiquent)</translation>
    </message>
    <message>
        <source>JAWS could not be closed, or runs where this program cannot reach it: nothing was removed</source>
        <translation>JAWS n&apos;a pas pu être fermé, ou tourne là où ce programme ne peut l&apos;atteindre : rien n&apos;a été supprimé</translation>
    </message>
    <message>
        <source>another installation or removal runs on this computer: nothing was done, try again later</source>
        <translation>une autre installation ou suppression est en cours sur cet ordinateur : rien n&apos;a été fait, réessayez plus tard</translation>
    </message>
    <message>
        <source>interrupted: nothing more was removed; remove again to finish</source>
        <translation>interrompu : rien de plus n&apos;a été supprimé ; supprimez de nouveau pour terminer</translation>
    </message>
    <message>
        <source>Run by the driver&apos;s Windows Installer package: its entry in Windows&apos; list of apps and its files stand for the driver&apos;s own entries and the program&apos;s copy, which are not written.</source>
        <translation>Exécuté par le paquet Windows Installer du pilote : son entrée dans la liste des applications de Windows et ses fichiers tiennent lieu des entrées propres du pilote et de la copie du programme, qui ne sont pas écrites.</translation>
    </message>
    <message>
        <source>The identifier to record this installation run under, so that it can be taken back alone later.</source>
        <translation>L&apos;identifiant sous lequel cette exécution de l&apos;installation est enregistrée, pour pouvoir l&apos;annuler seule plus tard.</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Take back the installation run with this identifier alone, in the JAWS named by --jaws: the machine is then as the runs before it left it.</source>
        <translation>Annuler seule l&apos;exécution de l&apos;installation portant cet identifiant, dans le JAWS désigné par --jaws : la machine est alors telle que les exécutions précédentes l&apos;ont laissée.</translation>
    </message>
    <message>
        <source>--%1 is for a run with --%2, without --%3 and --%4.</source>
        <translation>--%1 s&apos;utilise avec --%2, sans --%3 ni --%4.</translation>
    </message>
    <message>
        <source>--%1 %2 is not a run identifier: 1 to 64 letters, digits, &apos;-&apos;, &apos;_&apos;, &apos;.&apos;, &apos;{&apos; or &apos;}&apos;.</source>
        <translation>--%1 %2 n&apos;est pas un identifiant d&apos;exécution : 1 à 64 lettres, chiffres, &apos;-&apos;, &apos;_&apos;, &apos;.&apos;, &apos;{&apos; ou &apos;}&apos;.</translation>
    </message>
</context>
<context>
    <name>ConclusionPage</name>
    <message>
        <source>Ending process</source>
        <translation>Fin de l&apos;installation</translation>
    </message>
    <message>
        <source>Click %1 to end the installation process.</source>
        <translation>Cliquez sur %1 pour terminer l&apos;installation.</translation>
    </message>
</context>
<context>
    <name>CopyFilesPage</name>
    <message>
        <source>Installation in progress...</source>
        <translation>Installation en cours...</translation>
    </message>
    <message>
        <source>Installation into %1 folder...</source>
        <translation>Installation dans le dossier %1...</translation>
    </message>
    <message>
        <source>Jaws will be closed while copying files. It will be automatically restarted.</source>
        <translation>JAWS va être fermé pendant la copie des fichiers. Il sera redémarré automatiquement.</translation>
    </message>
    <message>
        <source>Copy finished.</source>
        <translation>Copie terminée.</translation>
    </message>
    <message>
        <source>ERROR : Installation cancelled by the user. The files copied so far stay; the settings of Jaws were not changed.</source>
        <translation>ERREUR : installation annulée par l&apos;utilisateur. Les fichiers déjà copiés restent en place ; les paramètres de JAWS n&apos;ont pas été modifiés.</translation>
    </message>
    <message>
        <source>ERROR : Jaws folder %1 or installation folder %2 not found: no file was copied.</source>
        <translation>ERREUR : dossier Jaws %1 ou dossier d&apos;installation %2 introuvable : aucun fichier n&apos;a été copié.</translation>
    </message>
    <message>
        <source>ERROR : Jaws could not be closed. Please restart Jaws after the installation.</source>
        <translation>ERREUR : Jaws n&apos;a pas pu être fermé. Veuillez redémarrer Jaws après l&apos;installation.</translation>
    </message>
</context>
<context>
    <name>InstallWizard</name>
    <message>
        <source>&amp;Next&gt;</source>
        <translation>&amp;Suivant&gt;</translation>
    </message>
    <message>
        <source>Korvalis driver for Jaws</source>
        <translation>Pilote Korvalis pour Jaws</translation>
    </message>
</context>
<context>
    <name>Installation</name>
    <message>
        <source>The driver is installed in %1 already: left as it is.</source>
        <translation>Le pilote est déjà installé dans %1 : laissé tel quel.</translation>
    </message>
    <message>
        <source>ERROR : Jaws could not be started again from %1. Please start Jaws yourself.</source>
        <translation>ERREUR : Jaws n&apos;a pas pu être redémarré depuis %1. Veuillez démarrer Jaws vous-même.</translation>
    </message>
    <message>
        <source>Installation run: %1</source>
        <translation>Exécution de l&apos;installation : %1</translation>
    </message>
</context>
<context>
    <name>InstallerApplication</name>
    <message>
        <source>Another installation or removal of the Korvalis Braille driver is running on this computer: nothing was done. Try again once it has ended.</source>
        <translation>Une autre installation ou suppression du pilote Braille Korvalis est en cours sur cet ordinateur : rien n&apos;a été fait. Réessayez une fois qu&apos;elle sera terminée.</translation>
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
        <translation>Cet assistant va installer le pilote braille QuorOlma %1.

Le pilote est compatible avec :
- la gamme de produits Quor
- la gamme de produits Olma (version de micrologiciel 1.71 ou supérieure).

Utilisez la touche Tab pour aller au bouton suivant.</translation>
    </message>
</context>
<context>
    <name>JawsInstaller</name>
    <message>
        <source>Error while merging &apos;%1&apos; section of %2.</source>
        <translation>Erreur lors de la fusion de la section &apos;%1&apos; de %2.</translation>
    </message>
    <message>
        <source>Key &apos;BrailleName&apos; OLMA has been changed into OLMA171 in jfw.ini file.</source>
        <translation>La clé &apos;BrailleName&apos; OLMA a été remplacée par OLMA171 dans le fichier jfw.ini.</translation>
    </message>
    <message>
        <source>No JAWS settings folder: the default Braille device was not selected.</source>
        <translation>Aucun dossier de paramètres JAWS : l&apos;afficheur braille par défaut n&apos;a pas été sélectionné.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; Braille device selected in %2.</source>
        <translation>Afficheur braille &apos;%1&apos; sélectionné dans %2.</translation>
    </message>
    <message>
        <source>Unable to select &apos;%1&apos; Braille device in %2.</source>
        <translation>Impossible de sélectionner l&apos;afficheur braille &apos;%1&apos; dans %2.</translation>
    </message>
    <message>
        <source>ERROR : No Braille device of this driver was chosen: the default Braille device was not selected.</source>
        <translation>ERREUR : Aucun afficheur braille de ce pilote n&apos;a été choisi : l&apos;afficheur braille par défaut n&apos;a pas été sélectionné.</translation>
    </message>
    <message>
        <source>ERROR : %1 is missing from the installation package: nothing was installed.</source>
        <translation>ERREUR : %1 manque dans le paquet d&apos;installation : rien n&apos;a été installé.</translation>
    </message>
    <message>
        <source>ERROR : %1 of the installation package has no [%2] section: nothing was installed.</source>
        <translation>ERREUR : %1 du paquet d&apos;installation n&apos;a pas de section [%2] : rien n&apos;a été installé.</translation>
    </message>
    <message>
        <source>ERROR : The installation package names no keyboard Braille table in its [%1] section: %2 was not changed.</source>
        <translation>ERREUR : Le paquet d&apos;installation ne nomme aucune table braille de clavier dans sa section [%1] : %2 n&apos;a pas été modifié.</translation>
    </message>
    <message>
        <source>ERROR : Jaws settings folder %1 not found: nothing was configured there.</source>
        <translation>ERREUR : dossier de paramètres Jaws %1 introuvable : rien n&apos;y a été configuré.</translation>
    </message>
    <message>
        <source>No jfw.ini file was found in %1 nor in the shared settings folder %2: it has been created in %1.</source>
        <translation>Aucun fichier jfw.ini trouvé dans %1 ni dans le dossier de paramètres partagés %2 : il a été créé dans %1.</translation>
    </message>
    <message>
        <source>ERROR : Unable to change key &apos;BrailleName&apos; OLMA into OLMA171 in jfw.ini file.</source>
        <translation>ERREUR : impossible de remplacer la clé &apos;BrailleName&apos; OLMA par OLMA171 dans le fichier jfw.ini.</translation>
    </message>
    <message>
        <source>The package file %1 could not be deleted: it stays.</source>
        <translation>Le fichier %1 du paquet n&apos;a pas pu être supprimé : il reste.</translation>
    </message>
    <message>
        <source>The package file %1 could not be deleted (%2): it stays.</source>
        <translation>Le fichier %1 du paquet n&apos;a pas pu être supprimé (%2) : il reste.</translation>
    </message>
    <message>
        <source>User settings: those of every user of this computer who has settings for the chosen Jaws.</source>
        <translation>Paramètres utilisateur : ceux de tous les utilisateurs de cet ordinateur qui ont des paramètres pour le Jaws choisi.</translation>
    </message>
    <message>
        <source>No interactive user was found: the user settings are those of %1, the account that runs the installation.</source>
        <translation>Aucun utilisateur connecté n&apos;a été trouvé : les paramètres utilisateur sont ceux de %1, le compte qui exécute l&apos;installation.</translation>
    </message>
    <message>
        <source>User settings: those of %1.</source>
        <translation>Paramètres utilisateur : ceux de %1.</translation>
    </message>
    <message>
        <source>User %1 has no settings for this Jaws: left untouched.</source>
        <translation>L&apos;utilisateur %1 n&apos;a pas de paramètres pour ce Jaws : laissé tel quel.</translation>
    </message>
    <message>
        <source>User settings of %1 in %2:</source>
        <translation>Paramètres utilisateur de %1 dans %2 :</translation>
    </message>
    <message>
        <source>ERROR : The record of this installation could not be written to %1: it cannot be removed.</source>
        <translation>ERREUR : l&apos;enregistrement de cette installation n&apos;a pas pu être écrit dans %1 : elle ne pourra pas être supprimée.</translation>
    </message>
    <message>
        <source>The earlier installation record %1 could not be read: it is kept as %2, and a new one begins.</source>
        <translation>Le précédent journal d&apos;installation %1 n&apos;a pas pu être lu : il est conservé sous le nom %2, et un nouveau commence.</translation>
    </message>
    <message>
        <source>User %1 is not logged on: their settings are left as they are (where Windows keeps them is known only while they are logged on). They get the display from the shared settings, or from a run while they are logged on.</source>
        <translation>L&apos;utilisateur %1 n&apos;a pas ouvert de session : ses réglages restent tels quels (l&apos;endroit où Windows les garde n&apos;est connu que pendant sa session). Il reçoit l&apos;afficheur par les réglages partagés, ou par une installation faite pendant sa session.</translation>
    </message>
    <message>
        <source>ERROR : The record of this installation could not be written to %1: nothing was copied.</source>
        <translation>ERREUR : l&apos;enregistrement de cette installation n&apos;a pas pu être écrit dans %1 : aucun fichier n&apos;a été copié.</translation>
    </message>
</context>
<context>
    <name>PageParts</name>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
</context>
<context>
    <name>Removal</name>
    <message>
        <source>Removal from %1 folder...</source>
        <translation>Suppression du dossier %1...</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver has no installation record in %1: nothing was removed.</source>
        <translation>Le pilote braille Korvalis n&apos;a pas d&apos;enregistrement d&apos;installation dans %1 : rien n&apos;a été supprimé.</translation>
    </message>
    <message>
        <source>Restore the settings files of JAWS that the installation changed, keeping what was changed since.</source>
        <translation>Rétablir les fichiers de réglages de JAWS que l&apos;installation a modifiés, en gardant ce qui a été changé depuis.</translation>
    </message>
    <message>
        <source>Put back the key maps that the installation moved aside.</source>
        <translation>Remettre en place les tables de touches que l&apos;installation a mises de côté.</translation>
    </message>
    <message>
        <source>Remove the driver&apos;s files from %1, or put back the files they replaced.</source>
        <translation>Supprimer les fichiers du pilote de %1, ou remettre les fichiers qu&apos;ils ont remplacés.</translation>
    </message>
    <message>
        <source>Remove the installation record and the folders the installation created, when they are empty.</source>
        <translation>Supprimer l&apos;enregistrement d&apos;installation et les dossiers que l&apos;installation a créés, s&apos;ils sont vides.</translation>
    </message>
    <message>
        <source>ERROR : Jaws could not be closed: nothing was removed. Please close Jaws and remove the driver again.</source>
        <translation>ERREUR : Jaws n&apos;a pas pu être fermé : rien n&apos;a été supprimé. Veuillez fermer Jaws et supprimer le pilote à nouveau.</translation>
    </message>
    <message>
        <source>ERROR : Removal cancelled by the user: nothing was removed.</source>
        <translation>ERREUR : suppression annulée par l&apos;utilisateur : rien n&apos;a été supprimé.</translation>
    </message>
    <message>
        <source>%1 is no longer there: it was not restored.</source>
        <translation>%1 n&apos;existe plus : il n&apos;a pas été rétabli.</translation>
    </message>
    <message>
        <source>OK : %1 restored as it was before the installation.</source>
        <translation>OK : %1 rétabli tel qu&apos;il était avant l&apos;installation.</translation>
    </message>
    <message>
        <source>ERROR : %1 could not be restored.</source>
        <translation>ERREUR : %1 n&apos;a pas pu être rétabli.</translation>
    </message>
    <message>
        <source>[%1] %2 in %3 was changed since the installation: it was kept as it is.</source>
        <translation>[%1] %2 dans %3 a été modifié depuis l&apos;installation : il est gardé tel quel.</translation>
    </message>
    <message>
        <source>OK : The values the installation wrote in %1 were restored.</source>
        <translation>OK : les valeurs écrites par l&apos;installation dans %1 ont été rétablies.</translation>
    </message>
    <message>
        <source>ERROR : The values the installation wrote in %1 could not be restored.</source>
        <translation>ERREUR : les valeurs écrites par l&apos;installation dans %1 n&apos;ont pas pu être rétablies.</translation>
    </message>
    <message>
        <source>%1 was made again since the installation: it was kept; the earlier one is %2.</source>
        <translation>%1 a été recréé depuis l&apos;installation : il est gardé ; l&apos;ancien est %2.</translation>
    </message>
    <message>
        <source>ERROR : %1 could not be put back: its backup %2 is gone.</source>
        <translation>ERREUR : %1 n&apos;a pas pu être remis en place : sa sauvegarde %2 a disparu.</translation>
    </message>
    <message>
        <source>OK : %1 put back from %2.</source>
        <translation>OK : %1 remis en place depuis %2.</translation>
    </message>
    <message>
        <source>ERROR : %1 could not be put back from %2.</source>
        <translation>ERREUR : %1 n&apos;a pas pu être remis en place depuis %2.</translation>
    </message>
    <message>
        <source>%1 was changed since the installation: it was kept.</source>
        <translation>%1 a été modifié depuis l&apos;installation : il est gardé.</translation>
    </message>
    <message>
        <source>The installation record %1 is kept: remove the driver again once the errors above are mended.</source>
        <translation>L&apos;enregistrement d&apos;installation %1 est gardé : supprimez à nouveau le pilote une fois les erreurs ci-dessus corrigées.</translation>
    </message>
    <message>
        <source>OK : %1 folder removed.</source>
        <translation>OK : dossier %1 supprimé.</translation>
    </message>
    <message>
        <source>ERROR : The installation record names %1, which lies outside this JAWS installation and its settings: it was left as it is.</source>
        <translation>ERREUR : le journal d&apos;installation nomme %1, qui se trouve hors de cette installation de JAWS et de ses paramètres : il a été laissé tel quel.</translation>
    </message>
    <message>
        <source>The backup %1 was changed since the installation: %2 was restored value by value instead.</source>
        <translation>La sauvegarde %1 a été modifiée depuis l&apos;installation : %2 a été restauré valeur par valeur à la place.</translation>
    </message>
    <message>
        <source>ERROR : %1 was not put back: its backup %2 was changed since the installation.</source>
        <translation>ERREUR : %1 n&apos;a pas été remis en place : sa sauvegarde %2 a été modifiée depuis l&apos;installation.</translation>
    </message>
    <message>
        <source>ERROR : The installation record %1 is damaged or cannot be read: nothing was removed.</source>
        <translation>ERREUR : le journal d&apos;installation %1 est endommagé ou illisible : rien n&apos;a été supprimé.</translation>
    </message>
    <message>
        <source>JAWS is no longer installed in %1: nothing of the driver is left there.</source>
        <translation>JAWS n&apos;est plus installé dans %1 : il n&apos;y reste rien du pilote.</translation>
    </message>
    <message>
        <source>ERROR : Removal interrupted: what is listed above was done, the rest was not. The installation record is kept: remove the driver again to finish.</source>
        <translation>ERREUR : suppression interrompue : ce qui est indiqué ci-dessus a été fait, le reste non. Le journal d&apos;installation est conservé : supprimez de nouveau le pilote pour terminer.</translation>
    </message>
    <message>
        <source>The last installation into %1 never finished: it was stopped before JAWS was configured. The files it copied are removed with the rest.</source>
        <translation>La dernière installation dans %1 ne s&apos;est jamais terminée : elle a été arrêtée avant que JAWS ne soit configuré. Les fichiers qu&apos;elle a copiés sont supprimés avec le reste.</translation>
    </message>
    <message>
        <source>Taking back the installation run %1 from %2 folder...</source>
        <translation>Annulation de l&apos;exécution de l&apos;installation %1 dans le dossier %2...</translation>
    </message>
    <message>
        <source>The installation run %1 left no change recorded in %2: nothing was taken back.</source>
        <translation>L&apos;exécution de l&apos;installation %1 n&apos;a laissé aucune modification enregistrée dans %2 : rien n&apos;a été annulé.</translation>
    </message>
    <message>
        <source>one of an earlier program</source>
        <translation>une d&apos;un programme antérieur</translation>
    </message>
    <message>
        <source>ERROR : The installation run %1 cannot be taken back alone: later runs built on it in %2 (%3). Take those back first, the latest first: nothing was taken back.</source>
        <translation>ERREUR : L&apos;exécution de l&apos;installation %1 ne peut pas être annulée seule : des exécutions ultérieures s&apos;appuient sur elle dans %2 (%3). Annulez-les d&apos;abord, la plus récente en premier : rien n&apos;a été annulé.</translation>
    </message>
    <message>
        <source>ERROR : The installation record %1 could not be written: remove the driver again.</source>
        <translation>ERREUR : Le journal d&apos;installation %1 n&apos;a pas pu être écrit : supprimez à nouveau le pilote.</translation>
    </message>
    <message>
        <source>OK : The installation record %1 now holds the earlier installations alone.</source>
        <translation>OK : Le journal d&apos;installation %1 ne contient plus que les installations antérieures.</translation>
    </message>
    <message>
        <source>NOTE : Windows&apos; list of apps could not be told the driver&apos;s version.</source>
        <translation>REMARQUE : la version du pilote n&apos;a pas pu être indiquée à la liste des applications de Windows.</translation>
    </message>
</context>
<context>
    <name>RemovalChoicePage</name>
    <message>
        <source>Please select the Jaws installation to remove the Korvalis Braille driver from.</source>
        <translation>Veuillez sélectionner l&apos;installation de Jaws dont le pilote braille Korvalis doit être retiré.</translation>
    </message>
    <message>
        <source>&amp;Jaws folders:</source>
        <translation>Dossiers &amp;Jaws :</translation>
    </message>
    <message>
        <source>Jaws %1 in %2</source>
        <translation>Jaws %1 dans %2</translation>
    </message>
</context>
<context>
    <name>RemovalConclusionPage</name>
    <message>
        <source>End of the removal</source>
        <translation>Fin de la désinstallation</translation>
    </message>
    <message>
        <source>Click %1 to end the removal.</source>
        <translation>Cliquez sur %1 pour terminer la désinstallation.</translation>
    </message>
</context>
<context>
    <name>RemovalPlanPage</name>
    <message>
        <source>&amp;What will be done:</source>
        <translation>&amp;Ce qui sera fait :</translation>
    </message>
    <message>
        <source>Jaws %1 in %2</source>
        <translation>Jaws %1 dans %2</translation>
    </message>
    <message>
        <source>the Jaws in %1</source>
        <translation>le Jaws de %1</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver will be removed from %1, and the settings it changed put back as they were.</source>
        <translation>Le pilote braille Korvalis sera retiré de %1, et les réglages qu&apos;il a modifiés seront remis comme avant.</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Retirer</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver has no installation record in %1: there is nothing to remove.</source>
        <translation>Le pilote braille Korvalis n&apos;a pas de journal d&apos;installation dans %1 : il n&apos;y a rien à retirer.</translation>
    </message>
    <message>
        <source>The installation record of the Korvalis Braille driver in %1 is damaged or cannot be read: nothing can be removed. The removal report says more.</source>
        <translation>Le journal d&apos;installation du pilote Braille Korvalis dans %1 est endommagé ou illisible : rien ne peut être supprimé. Le rapport de suppression en dit plus.</translation>
    </message>
</context>
<context>
    <name>RemovalProgressPage</name>
    <message>
        <source>Removal in progress...</source>
        <translation>Désinstallation en cours...</translation>
    </message>
    <message>
        <source>Jaws will be closed while the driver is removed. It will be automatically restarted.</source>
        <translation>Jaws sera fermé pendant le retrait du pilote. Il sera redémarré automatiquement.</translation>
    </message>
    <message>
        <source>Removal finished.</source>
        <translation>Désinstallation terminée.</translation>
    </message>
</context>
<context>
    <name>RemovalWizard</name>
    <message>
        <source>&amp;Next&gt;</source>
        <translation>&amp;Suivant&gt;</translation>
    </message>
    <message>
        <source>Removing the Korvalis driver from Jaws</source>
        <translation>Retrait du pilote Korvalis de Jaws</translation>
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
        <translation>OK : la section [%1] a été ajoutée au fichier %2.</translation>
    </message>
    <message>
        <source>ERROR : Unable to add [%1] section to %2 file.</source>
        <translation>ERREUR : impossible d&apos;ajouter la section [%1] au fichier %2.</translation>
    </message>
    <message>
        <source>OK : &apos;%1&apos; Braille table selected in %2.</source>
        <translation>OK : table braille &apos;%1&apos; sélectionnée dans %2.</translation>
    </message>
    <message>
        <source>ERROR : Unable to select &apos;%1&apos; Braille table in %2.</source>
        <translation>ERREUR : impossible de sélectionner la table braille &apos;%1&apos; dans %2.</translation>
    </message>
    <message>
        <source>OK : %1 folder successfully created.</source>
        <translation>OK : dossier %1 créé avec succès.</translation>
    </message>
    <message>
        <source>ERROR : Unable to create %1 folder.</source>
        <translation>ERREUR : impossible de créer le dossier %1.</translation>
    </message>
    <message>
        <source>OK : %1 file successfully copied.</source>
        <translation>OK : fichier %1 copié avec succès.</translation>
    </message>
    <message>
        <source>ERROR : Unable to copy %1 file.</source>
        <translation>ERREUR : impossible de copier le fichier %1.</translation>
    </message>
    <message>
        <source>OK : %1 file successfully saved.</source>
        <translation>OK : fichier %1 enregistré avec succès.</translation>
    </message>
    <message>
        <source>ERROR : Unable to save %1 file.</source>
        <translation>ERREUR : impossible d&apos;enregistrer le fichier %1.</translation>
    </message>
    <message>
        <source>OK : %1 file successfully deleted.</source>
        <translation>OK : fichier %1 supprimé avec succès.</translation>
    </message>
    <message>
        <source>ERROR : Unable to delete %1 file.</source>
        <translation>ERREUR : impossible de supprimer le fichier %1.</translation>
    </message>
    <message>
        <source>Cannot open file %1.</source>
        <translation>Impossible d&apos;ouvrir le fichier %1.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avertissement</translation>
    </message>
    <message>
        <source>Removal %1</source>
        <translation>Suppression %1</translation>
    </message>
    <message>
        <source>ERROR : %1 is a link: it was left as it is.</source>
        <translation>ERREUR : %1 est un lien : il a été laissé tel quel.</translation>
    </message>
    <message>
        <source>ERROR : %1 is not a plain file: it was left as it is.</source>
        <translation>ERREUR : %1 n&apos;est pas un simple fichier : il a été laissé tel quel.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
</context>
<context>
    <name>RunSummary</name>
    <message>
        <source>Installation correctly done.</source>
        <translation>L&apos;installation s&apos;est déroulée correctement.</translation>
    </message>
    <message>
        <source>Error during installation. The report is on the standard error stream.</source>
        <translation>Erreur pendant l&apos;installation. Le rapport est sur la sortie d&apos;erreur standard.</translation>
    </message>
    <message>
        <source>Error during installation. Please check the %1 file for details.</source>
        <translation>Erreur pendant l&apos;installation. Consultez le fichier %1 pour plus de détails.</translation>
    </message>
    <message>
        <source>No installation report could be written.</source>
        <translation>Aucun rapport d&apos;installation n&apos;a pu être écrit.</translation>
    </message>
    <message>
        <source>The installation report is %1.</source>
        <translation>Le rapport d&apos;installation est %1.</translation>
    </message>
    <message>
        <source>Removal correctly done.</source>
        <translation>Suppression correctement effectuée.</translation>
    </message>
    <message>
        <source>Error during removal. The report is on the standard error stream.</source>
        <translation>Erreur pendant la suppression. Le rapport est sur la sortie d&apos;erreur standard.</translation>
    </message>
    <message>
        <source>Error during removal. Please check the %1 file for details.</source>
        <translation>Erreur pendant la suppression. Veuillez consulter le fichier %1 pour les détails.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver is installed in no Jaws on this computer: there is nothing to remove.</source>
        <translation>Le pilote braille Korvalis n&apos;est installé dans aucun Jaws de cet ordinateur : il n&apos;y a rien à retirer.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver is not installed in %1: there is nothing to remove.</source>
        <translation>Le pilote braille Korvalis n&apos;est pas installé dans %1 : il n&apos;y a rien à retirer.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed.</source>
        <translation>Le pilote braille Korvalis a été retiré.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed. What was changed since the installation was kept: the removal report names it.</source>
        <translation>Le pilote braille Korvalis a été retiré. Ce qui a été modifié depuis l&apos;installation a été conservé : le rapport de désinstallation l&apos;indique.</translation>
    </message>
    <message>
        <source>The Korvalis Braille driver was removed, with errors: please read the removal report.</source>
        <translation>Le pilote braille Korvalis a été retiré, avec des erreurs : veuillez lire le rapport de désinstallation.</translation>
    </message>
    <message>
        <source>The removal was cancelled: nothing was removed.</source>
        <translation>La désinstallation a été annulée : rien n&apos;a été retiré.</translation>
    </message>
    <message>
        <source>Jaws could not be closed: nothing was removed. Please close Jaws and try again.</source>
        <translation>Jaws n&apos;a pas pu être fermé : rien n&apos;a été retiré. Veuillez fermer Jaws et réessayer.</translation>
    </message>
    <message>
        <source>Nothing was removed: please read the removal report.</source>
        <translation>Rien n&apos;a été retiré : veuillez lire le rapport de désinstallation.</translation>
    </message>
    <message>
        <source>No removal report could be written.</source>
        <translation>Aucun rapport de désinstallation n&apos;a pu être écrit.</translation>
    </message>
    <message>
        <source>The removal report is %1.</source>
        <translation>Le rapport de désinstallation est %1.</translation>
    </message>
    <message>
        <source>The installation run %1 is taken back.</source>
        <translation>L&apos;exécution de l&apos;installation %1 est annulée.</translation>
    </message>
</context>
<context>
    <name>UnattendedRun</name>
    <message>
        <source>%1 is not a JAWS installation of this computer.</source>
        <translation>%1 n&apos;est pas une installation de JAWS de cet ordinateur.</translation>
    </message>
    <message>
        <source>No JAWS installation was found.</source>
        <translation>Aucune installation de JAWS n&apos;a été trouvée.</translation>
    </message>
    <message>
        <source>JAWS installations: %1</source>
        <translation>Installations de JAWS : %1</translation>
    </message>
    <message>
        <source>Started without the wizard: %1</source>
        <translation>Lancé sans l&apos;assistant : %1</translation>
    </message>
    <message>
        <source>Installing the Korvalis Braille driver into %1 for the %2 display...</source>
        <translation>Installation du pilote braille Korvalis dans %1 pour l&apos;afficheur %2...</translation>
    </message>
    <message>
        <source>Closing JAWS...</source>
        <translation>Fermeture de JAWS...</translation>
    </message>
    <message>
        <source>Copying files...</source>
        <translation>Copie des fichiers...</translation>
    </message>
    <message>
        <source>Configuring JAWS...</source>
        <translation>Configuration de JAWS...</translation>
    </message>
    <message>
        <source>The report could not be written to %1.</source>
        <translation>Le rapport n&apos;a pas pu être écrit dans %1.</translation>
    </message>
    <message>
        <source>Passed over: %1 holds no JAWS program.</source>
        <translation>Ignoré : %1 ne contient pas de programme JAWS.</translation>
    </message>
    <message>
        <source>Interrupted: stopping the installation...</source>
        <translation>Interrompu : arrêt de l&apos;installation...</translation>
    </message>
    <message>
        <source>Installed already: left as it is.</source>
        <translation>Déjà installé : laissé tel quel.</translation>
    </message>
    <message>
        <source>Report: %1</source>
        <translation>Rapport : %1</translation>
    </message>
    <message>
        <source>JAWS is running in a session that this program cannot reach (it runs as another account while a user works): nothing was installed. Run the installation again when JAWS is not running.</source>
        <translation>JAWS fonctionne dans une session que ce programme ne peut pas atteindre (il s&apos;exécute sous un autre compte pendant qu&apos;un utilisateur travaille) : rien n&apos;a été installé. Relancez l&apos;installation lorsque JAWS ne fonctionne pas.</translation>
    </message>
    <message>
        <source>Interrupted: stopping the removal...</source>
        <translation>Interrompu : arrêt de la suppression...</translation>
    </message>
    <message>
        <source>Removing the Korvalis Braille driver from %1...</source>
        <translation>Suppression du pilote braille Korvalis de %1...</translation>
    </message>
    <message>
        <source>Removing and restoring files...</source>
        <translation>Suppression et rétablissement des fichiers...</translation>
    </message>
    <message>
        <source>Nothing of the driver to remove: no installation record in %1.</source>
        <translation>Rien du pilote à supprimer : aucun enregistrement d&apos;installation dans %1.</translation>
    </message>
    <message>
        <source>%1 is not a plain file.</source>
        <translation>%1 n&apos;est pas un simple fichier.</translation>
    </message>
    <message>
        <source>%1 lies among the files of JAWS or of its settings.</source>
        <translation>%1 se trouve parmi les fichiers de JAWS ou de ses paramètres.</translation>
    </message>
    <message>
        <source>The report cannot be written to --log %1: %2 Nothing was done.</source>
        <translation>Le rapport ne peut pas être écrit dans --log %1 : %2 Rien n&apos;a été fait.</translation>
    </message>
    <message>
        <source>The installation record in %1 is damaged or cannot be read: nothing was removed.</source>
        <translation>Le journal d&apos;installation dans %1 est endommagé ou illisible : rien n&apos;a été supprimé.</translation>
    </message>
    <message>
        <source>NOTE : The report could not be written to %1.</source>
        <translation>REMARQUE : le rapport n&apos;a pas pu être écrit dans %1.</translation>
    </message>
    <message>
        <source>JAWS is running in a session that this program cannot reach (it runs as another account while a user works): nothing was removed. Run the removal again when JAWS is not running.</source>
        <translation>JAWS s&apos;exécute dans une session que ce programme ne peut pas atteindre (il s&apos;exécute sous un autre compte pendant qu&apos;un utilisateur travaille) : rien n&apos;a été supprimé. Relancez la suppression quand JAWS ne s&apos;exécute pas.</translation>
    </message>
    <message>
        <source>Interrupted: a file could not be reached in time; the removal ends here. Remove the driver again to finish.</source>
        <translation>Interrompu : un fichier n&apos;a pas pu être atteint à temps ; la suppression s&apos;arrête ici. Supprimez à nouveau le pilote pour la terminer.</translation>
    </message>
    <message>
        <source>Interrupted: a file could not be reached in time; the installation ends here, each file whole. Run it again to finish.</source>
        <translation>Interrompu : un fichier n&apos;a pas pu être atteint à temps ; l&apos;installation s&apos;arrête ici, chaque fichier intact. Relancez-la pour la terminer.</translation>
    </message>
    <message>
        <source>Taking back the installation run %1 from %2...</source>
        <translation>Annulation de l&apos;exécution de l&apos;installation %1 dans %2...</translation>
    </message>
    <message>
        <source>The installation run %1 cannot be taken back alone in %2: later runs built on it. Take those back first, the latest first.</source>
        <translation>L&apos;exécution de l&apos;installation %1 ne peut pas être annulée seule dans %2 : des exécutions ultérieures s&apos;appuient sur elle. Annulez-les d&apos;abord, la plus récente en premier.</translation>
    </message>
    <message>
        <source>The installation run %1 left no change recorded in %2: nothing to take back.</source>
        <translation>L&apos;exécution de l&apos;installation %1 n&apos;a laissé aucune modification enregistrée dans %2 : rien à annuler.</translation>
    </message>
    <message>
        <source>Installation run: %1</source>
        <translation>Exécution de l&apos;installation : %1</translation>
    </message>
</context>
</TS>
