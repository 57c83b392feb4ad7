<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
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
    <name>ConclusionPage</name>
    <message>
        <source>Ending process</source>
        <translation>Fin de l&apos;installation</translation>
    </message>
    <message>
        <source>Error during installation. Please check the %1 file for details.</source>
        <translation>Erreur pendant l&apos;installation. Consultez le fichier %1 pour plus de détails.</translation>
    </message>
    <message>
        <source>Installation correctly done.</source>
        <translation>L&apos;installation s&apos;est déroulée correctement.</translation>
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
        <source>Warning</source>
        <translation>Avertissement</translation>
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
        <source>ERROR : Unable to change key &apos;BrailleName&apos; OLMA into OLMA171 in jfw.ini file.</source>
        <translation>ERREUR : impossible de remplacer la clé &apos;BrailleName&apos; OLMA par OLMA171 dans le fichier jfw.ini.</translation>
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
</context>
</TS>
