<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CFormulaWindow</name>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Current Category</source>
        <translation>Aktuelle Kategorie</translation>
    </message>
    <message>
        <source>All Categories</source>
        <translation>Alle Kategorien</translation>
    </message>
    <message>
        <source>Show Formula Resource</source>
        <translation>Ressourcen der Formel zeigen</translation>
    </message>
    <message>
        <source>Show Sub-Formulae</source>
        <translation>Unterformeln zeigen</translation>
    </message>
    <message>
        <source>Show Base Resource</source>
        <translation>Grundressourcen zeigen</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>AutoExpand</source>
        <translation>Automatisch aufklappen</translation>
    </message>
    <message>
        <source>Resource Breakdown</source>
        <translation>Ressourcenaufschlüsselung</translation>
    </message>
    <message>
        <source>Resource Grid</source>
        <translation>Ressourcentabelle</translation>
    </message>
    <message>
        <source>Autoshrink</source>
        <translation>Automatisch verkleinern</translation>
    </message>
    <message>
        <source>Set To %1 Rows</source>
        <translation>Auf %1 Zeilen setzen</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>By Name...</source>
        <translation>Nach Name...</translation>
    </message>
    <message>
        <source>By Class...</source>
        <translation>Nach Klasse...</translation>
    </message>
    <message>
        <source>Filter By Name</source>
        <translation>Nach Name filtern</translation>
    </message>
    <message>
        <source>Formula Name</source>
        <translation>Formelname</translation>
    </message>
    <message>
        <source>Filter By Class</source>
        <translation>Nach Klasse filtern</translation>
    </message>
    <message>
        <source>Class Name</source>
        <translation>Klassenname</translation>
    </message>
    <message>
        <source>Remove Technique</source>
        <translation>Technik entfernen</translation>
    </message>
    <message>
        <source>Quick Item</source>
        <translation>Schnellwahl</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profil</translation>
    </message>
    <message>
        <source>Display Effiency Levels</source>
        <translation>Effizienzstufen zeigen</translation>
    </message>
</context>
<context>
    <name>CTechniqueWindow</name>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Current Category</source>
        <translation>Aktuelle Kategorie</translation>
    </message>
    <message>
        <source>All Categories</source>
        <translation>Alle Kategorien</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>AutoExpand</source>
        <translation>Automatisch aufklappen</translation>
    </message>
</context>
<context>
    <name>CToolWindow</name>
    <message>
        <source>Orders</source>
        <translation>Aufträge</translation>
    </message>
    <message>
        <source>Reports</source>
        <translation>Berichte</translation>
    </message>
    <message>
        <source>Formula Database</source>
        <translation>Formeldatenbank</translation>
    </message>
    <message>
        <source>Technique Database</source>
        <translation>Technikdatenbank</translation>
    </message>
    <message>
        <source>Component Database</source>
        <translation>Komponentendatenbank</translation>
    </message>
    <message>
        <source>Profile Manager</source>
        <translation>Profilverwaltung</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>Help With Formulae</source>
        <translation>Hilfe zu Formeln</translation>
    </message>
    <message>
        <source>Available Categories</source>
        <translation>Kategorien</translation>
    </message>
    <message>
        <source>^Tiers</source>
        <translation>^Ränge</translation>
    </message>
    <message>
        <source>^Techniques</source>
        <translation>^Techniken</translation>
    </message>
    <message>
        <source>&lt;Resource|^Effiency|^Need|^Skill Used|^Min|^Opt|^Cur Skill</source>
        <translation>&lt;Ressource|^Quote|^Menge|^Fertigkeit|^Min|^Opt|^Ist</translation>
    </message>
    <message>
        <source>More then one database update file (*.zip) exists in &apos;</source>
        <translation>Mehr als eine Datenbank-Updatedatei (*.zip) liegt in &apos;</translation>
    </message>
    <message>
        <source>&apos;.
Please remove all but one and restart the client for the update to take effect!</source>
        <translation>&apos;.
Bitte alle bis auf eine entfernen und das Programm neu starten, damit das Update wirksam wird!</translation>
    </message>
    <message>
        <source>Update failed, database archive is corrupt.
Removing update file</source>
        <translation>Update fehlgeschlagen, das Datenbankarchiv ist beschädigt.
Die Updatedatei wird entfernt</translation>
    </message>
    <message>
        <source>Update failed, the disk is full.
The update file is kept: please free up some space and restart the client</source>
        <translation>Update fehlgeschlagen, der Datenträger ist voll.
Die Updatedatei bleibt erhalten: bitte Platz schaffen und das Programm neu starten</translation>
    </message>
    <message>
        <source>Another Moxa is installing a database update in this data folder; waiting for it to finish...</source>
        <translation>Ein anderes Moxa installiert gerade ein Datenbank-Update in diesem Datenordner; es wird auf dessen Ende gewartet...</translation>
    </message>
    <message>
        <source>Another Moxa is still installing a database update in this data folder.
The update file is kept for the next start</source>
        <translation>Ein anderes Moxa installiert noch ein Datenbank-Update in diesem Datenordner.
Die Updatedatei bleibt für den nächsten Start erhalten</translation>
    </message>
    <message>
        <source>Moving &apos;</source>
        <translation>Verschiebe &apos;</translation>
    </message>
    <message>
        <source>Warning - Unexpected File &apos;</source>
        <translation>Warnung - Unerwartete Datei &apos;</translation>
    </message>
    <message>
        <source>&apos; found. This file will be deleted.</source>
        <translation>&apos; gefunden. Diese Datei wird gelöscht.</translation>
    </message>
    <message>
        <source>&apos; is not a Moxa data folder: it holds neither a Config folder nor an update archive in Temp</source>
        <translation>&apos; ist kein Moxa-Datenordner: er enthält weder einen Ordner Config noch ein Update-Archiv in Temp</translation>
    </message>
    <message>
        <source>no data folder: the current directory holds no Config folder, nor does &apos;</source>
        <translation>kein Datenordner: weder das aktuelle Verzeichnis noch &apos;</translation>
    </message>
    <message>
        <source>&apos;, and no sample data is installed to copy there (name one with --data-dir DIR)</source>
        <translation>&apos; enthält einen Ordner Config, und es sind keine Beispieldaten zum Kopieren installiert (einen mit --data-dir DIR angeben)</translation>
    </message>
    <message>
        <source>no data folder: the current directory holds no Config folder and neither XDG_DATA_HOME nor HOME is set</source>
        <translation>kein Datenordner: das aktuelle Verzeichnis enthält keinen Ordner Config, und weder XDG_DATA_HOME noch HOME ist gesetzt</translation>
    </message>
    <message>
        <source>the sample data &apos;</source>
        <translation>die Beispieldaten &apos;</translation>
    </message>
    <message>
        <source>&apos; could not be copied to &apos;</source>
        <translation>&apos; konnten nicht kopiert werden nach &apos;</translation>
    </message>
    <message>
        <source>.

Use your own data folder &apos;</source>
        <translation>.

Ihren eigenen Datenordner &apos;</translation>
    </message>
    <message>
        <source>&apos; instead?</source>
        <translation>&apos; stattdessen verwenden?</translation>
    </message>
    <message>
        <source>Moxa copied its sample data to &apos;</source>
        <translation>Moxa hat seine Beispieldaten nach &apos;</translation>
    </message>
    <message>
        <source>&apos;; your orders, profiles and downloads are kept there.</source>
        <translation>&apos; kopiert; Ihre Aufträge, Profile und Downloads werden dort aufbewahrt.</translation>
    </message>
    <message>
        <source>Profile(s) &apos;</source>
        <translation>Profil(e) &apos;</translation>
    </message>
    <message>
        <source> have been changed, do you want to save these changes?</source>
        <translation> wurden geändert. Möchten Sie diese Änderungen speichern?</translation>
    </message>
    <message>
        <source>Profile &apos;</source>
        <translation>Profil &apos;</translation>
    </message>
    <message>
        <source>&apos; was not saved: its name cannot be used as a file name (it is empty, &quot;.&quot;, &quot;..&quot; or holds &quot;/&quot; or &quot;\&quot;).</source>
        <translation>&apos; wurde nicht gespeichert: sein Name taugt nicht als Dateiname (er ist leer, &quot;.&quot;, &quot;..&quot; oder enthält &quot;/&quot; oder &quot;\&quot;).</translation>
    </message>
    <message>
        <source>&apos; could not be saved to &apos;</source>
        <translation>&apos; konnte nicht gespeichert werden unter &apos;</translation>
    </message>
    <message>
        <source>The profile file &apos;%s&apos; is damaged: it ends before its closing &lt;/profile&gt; line. Only what comes before the damage was read, and the file is not saved over unless you agree.</source>
        <translation>Die Profildatei &apos;%s&apos; ist beschädigt: sie endet vor ihrer schließenden Zeile &lt;/profile&gt;. Nur was vor dem Schaden steht, wurde gelesen, und die Datei wird nur mit Ihrer Zustimmung überschrieben.</translation>
    </message>
    <message>
        <source>The profile file &apos;%s&apos; was damaged when it was read, and the profile &apos;%s&apos; holds only what could be read from it. Replace the file with this profile?</source>
        <translation>Die Profildatei &apos;%s&apos; war beim Lesen beschädigt, und das Profil &apos;%s&apos; enthält nur, was daraus gelesen werden konnte. Die Datei durch dieses Profil ersetzen?</translation>
    </message>
    <message>
        <source>Unable to access this Site for update information. Please try again when it is available</source>
        <translation>Diese Seite ist für Update-Informationen nicht erreichbar. Bitte versuchen Sie es erneut, wenn sie verfügbar ist</translation>
    </message>
    <message>
        <source>Unable to access this Site for release information. Please try again when it is available</source>
        <translation>Diese Seite ist für Versionsinformationen nicht erreichbar. Bitte versuchen Sie es erneut, wenn sie verfügbar ist</translation>
    </message>
    <message>
        <source>Unable to download the database archive from this Site. Please try again when it is available</source>
        <translation>Das Datenbankarchiv kann von dieser Seite nicht geladen werden. Bitte versuchen Sie es erneut, wenn sie verfügbar ist</translation>
    </message>
    <message>
        <source>Your client &apos;</source>
        <translation>Ihr Programm &apos;</translation>
    </message>
    <message>
        <source>&apos; cannot support this update!</source>
        <translation>&apos; unterstützt dieses Update nicht!</translation>
    </message>
    <message>
        <source>This version of Moxa cannot support the latest database revision. Do you want to launch the Moxa Client Upgrade page?</source>
        <translation>Diese Moxa-Version unterstützt die neueste Datenbankrevision nicht. Möchten Sie die Seite zum Aktualisieren von Moxa öffnen?</translation>
    </message>
    <message>
        <source>You have this database already</source>
        <translation>Diese Datenbank haben Sie bereits</translation>
    </message>
    <message>
        <source>This is a new database ready for downloading</source>
        <translation>Eine neue Datenbank steht zum Herunterladen bereit</translation>
    </message>
    <message>
        <source>There is not enough space on the partition (where Moxa is installed) to install the update.
Please free up some space (at least 12Mb) and retry</source>
        <translation>Auf der Partition (auf der Moxa installiert ist) ist nicht genug Platz, um das Update zu installieren.
Bitte schaffen Sie Platz (mindestens 12 MB) und versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>In order to perform the update, the current order must be reset. Proceed?</source>
        <translation>Für das Update muss der aktuelle Auftrag zurückgesetzt werden. Fortfahren?</translation>
    </message>
    <message>
        <source>%s (%lld/%lld bytes)</source>
        <translation>%s (%lld/%lld Bytes)</translation>
    </message>
    <message>
        <source>%s (%lld bytes)</source>
        <translation>%s (%lld Bytes)</translation>
    </message>
    <message>
        <source>Downloading </source>
        <translation>Lade </translation>
    </message>
    <message>
        <source>Extracting database archive...</source>
        <translation>Datenbankarchiv wird entpackt...</translation>
    </message>
    <message>
        <source>Extraction complete, starting installation...</source>
        <translation>Entpackt, Installation beginnt...</translation>
    </message>
    <message>
        <source>Installation complete, restarting database...</source>
        <translation>Installation abgeschlossen, Datenbank wird neu gestartet...</translation>
    </message>
    <message>
        <source>Configuration complete.</source>
        <translation>Konfiguration abgeschlossen.</translation>
    </message>
    <message>
        <source>Update failed, database archive is corrupt</source>
        <translation>Update fehlgeschlagen, das Datenbankarchiv ist beschädigt</translation>
    </message>
    <message>
        <source>Update failed, the disk is full</source>
        <translation>Update fehlgeschlagen, der Datenträger ist voll</translation>
    </message>
    <message>
        <source>Update postponed, another Moxa is installing one</source>
        <translation>Update verschoben, ein anderes Moxa installiert gerade eines</translation>
    </message>
    <message>
        <source>Another Moxa installed this update meanwhile; restart the client to use it</source>
        <translation>Ein anderes Moxa hat dieses Update inzwischen installiert; starten Sie das Programm neu, um es zu nutzen</translation>
    </message>
    <message>
        <source>Live Update</source>
        <translation>Live-Update</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Check For Update</source>
        <translation>Nach Update suchen</translation>
    </message>
    <message>
        <source>Start Download</source>
        <translation>Download starten</translation>
    </message>
    <message>
        <source>Re-download</source>
        <translation>Erneut laden</translation>
    </message>
    <message>
        <source>Revision</source>
        <translation>Revision</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Client </source>
        <translation>Programm </translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>Operation</source>
        <translation>Vorgang</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Help With Updates</source>
        <translation>Hilfe zu Updates</translation>
    </message>
    <message>
        <source>There is not enough space on the partition (where Moxa is installed) to recache the database.
Please free up some space (at least 12Mb) and retry</source>
        <translation>Auf der Partition (auf der Moxa installiert ist) ist nicht genug Platz, um den Datenbank-Cache neu aufzubauen.
Bitte schaffen Sie Platz (mindestens 12 MB) und versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>Caching In Progress</source>
        <translation>Cache wird aufgebaut</translation>
    </message>
    <message>
        <source>The database was not rebuilt: there is no formula file in &apos;%s&apos;. The last database is kept.</source>
        <translation>Die Datenbank wurde nicht neu aufgebaut: in &apos;%s&apos; liegt keine Formeldatei. Die bisherige Datenbank bleibt erhalten.</translation>
    </message>
    <message>
        <source>The database was not rebuilt: there is no formula file in &apos;%s&apos;. No database is loaded.</source>
        <translation>Die Datenbank wurde nicht neu aufgebaut: in &apos;%s&apos; liegt keine Formeldatei. Es ist keine Datenbank geladen.</translation>
    </message>
    <message>
        <source>Error - Cannot Find Requested Link</source>
        <translation>Fehler - Angeforderter Link nicht gefunden</translation>
    </message>
    <message>
        <source>Sorry, Moxa doesn&apos;t support this version of the order file</source>
        <translation>Leider unterstützt Moxa diese Version der Auftragsdatei nicht</translation>
    </message>
    <message>
        <source>Do you really want to clear this order?</source>
        <translation>Möchten Sie diesen Auftrag wirklich leeren?</translation>
    </message>
    <message>
        <source>Do you want to save the changes to the order &apos;</source>
        <translation>Möchten Sie die Änderungen an diesem Auftrag speichern: &apos;</translation>
    </message>
    <message>
        <source>The order file &apos;%s&apos; %s.</source>
        <translation>Die Auftragsdatei &apos;%s&apos; %s.</translation>
    </message>
    <message>
        <source>The order file &apos;%s&apos; is damaged: it ends before its closing &lt;/order&gt; line. Only what comes before the damage was read, and the file is not saved over unless you agree.</source>
        <translation>Die Auftragsdatei &apos;%s&apos; ist beschädigt: sie endet vor ihrer schließenden Zeile &lt;/order&gt;. Nur was vor dem Schaden steht, wurde gelesen, und die Datei wird nur mit Ihrer Zustimmung überschrieben.</translation>
    </message>
    <message>
        <source>The order file &apos;%s&apos; was damaged when it was opened, and this order holds only what could be read from it. Replace the file with this order?</source>
        <translation>Die Auftragsdatei &apos;%s&apos; war beim Öffnen beschädigt, und dieser Auftrag enthält nur, was daraus gelesen werden konnte. Die Datei durch diesen Auftrag ersetzen?</translation>
    </message>
    <message>
        <source>The sub-components are too many to show (more than %lld rows, or more than %d levels deep). Choose &quot;Show Components&quot; or &quot;Show Base Resource&quot; instead.</source>
        <translation>Es sind zu viele Unterkomponenten, um sie zu zeigen (mehr als %lld Zeilen oder mehr als %d Ebenen tief). Wählen Sie stattdessen &quot;Komponenten zeigen&quot; oder &quot;Grundressourcen zeigen&quot;.</translation>
    </message>
    <message>
        <source>The base resources take more than %lld steps to work out: the formulae lead to each other along too many paths. Choose &quot;Show Components&quot; instead.</source>
        <translation>Die Grundressourcen brauchen mehr als %lld Schritte zur Berechnung: die Formeln führen auf zu vielen Wegen zueinander. Wählen Sie stattdessen &quot;Komponenten zeigen&quot;.</translation>
    </message>
    <message>
        <source>Craft</source>
        <translation>Handwerk</translation>
    </message>
    <message>
        <source>Adventure</source>
        <translation>Abenteuer</translation>
    </message>
    <message>
        <source>The template &apos;%s&apos; names the formula set &apos;%s&apos;, which the database does not have.</source>
        <translation>Die Vorlage &apos;%s&apos; nennt die Formelgruppe &apos;%s&apos;, die es in der Datenbank nicht gibt.</translation>
    </message>
    <message>
        <source>No formula of the set &apos;%s&apos; matches &apos;%s&apos; at %s.</source>
        <translation>Keine Formel der Gruppe &apos;%s&apos; passt zu &apos;%s&apos; bei %s.</translation>
    </message>
    <message>
        <source>The template &apos;%s&apos; names the technique &apos;%s&apos;, which the database does not have.</source>
        <translation>Die Vorlage &apos;%s&apos; nennt die Technik &apos;%s&apos;, die es in der Datenbank nicht gibt.</translation>
    </message>
    <message>
        <source>The template &apos;%s&apos; gives no formula at %s: no order was made.</source>
        <translation>Die Vorlage &apos;%s&apos; ergibt bei %s keine Formel: es wurde kein Auftrag erstellt.</translation>
    </message>
    <message>
        <source>The wizard template file &apos;%s&apos; cannot be used: %s.</source>
        <translation>Die Vorlagendatei &apos;%s&apos; ist nicht verwendbar: %s.</translation>
    </message>
    <message>
        <source>it holds no wizard template</source>
        <translation>sie enthält keine Vorlage</translation>
    </message>
    <message>
        <source>it names no school or school type</source>
        <translation>sie nennt keine Schule und keine Schulart</translation>
    </message>
    <message>
        <source>it names no formula sets</source>
        <translation>sie nennt keine Formelgruppen</translation>
    </message>
    <message>
        <source>New Order from &amp;Template...</source>
        <translation>Neuer Auftrag aus &amp;Vorlage...</translation>
    </message>
    <message>
        <source>Wizard</source>
        <translation>Assistent</translation>
    </message>
    <message>
        <source>Builds a new order from a template for your character (Ctrl+T)</source>
        <translation>Erstellt einen neuen Auftrag aus einer Vorlage für Ihren Charakter (Strg+T)</translation>
    </message>
    <message>
        <source>New Order from Template</source>
        <translation>Neuer Auftrag aus Vorlage</translation>
    </message>
    <message>
        <source>Who is the order for?</source>
        <translation>Für wen ist der Auftrag?</translation>
    </message>
    <message>
        <source>Choose one of your characters, or describe one, then a template that fits.</source>
        <translation>Wählen Sie einen Ihrer Charaktere oder beschreiben Sie einen, dann eine passende Vorlage.</translation>
    </message>
    <message>
        <source>A character profile</source>
        <translation>Ein Charakterprofil</translation>
    </message>
    <message>
        <source>Chosen by hand</source>
        <translation>Von Hand gewählt</translation>
    </message>
    <message>
        <source>Race</source>
        <translation>Volk</translation>
    </message>
    <message>
        <source>School type</source>
        <translation>Schulart</translation>
    </message>
    <message>
        <source>School</source>
        <translation>Schule</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Stufe</translation>
    </message>
    <message>
        <source>Any</source>
        <translation>Beliebig</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>No template fits this character.</source>
        <translation>Keine Vorlage passt zu diesem Charakter.</translation>
    </message>
    <message>
        <source>What to make</source>
        <translation>Was hergestellt wird</translation>
    </message>
    <message>
        <source>Tick the formula sets and formulae to make; choose their tiers and batches.</source>
        <translation>Haken Sie die herzustellenden Formelgruppen und Formeln an; wählen Sie ihre Stufen und Chargen.</translation>
    </message>
    <message>
        <source>Formula</source>
        <translation>Formel</translation>
    </message>
    <message>
        <source>Tier</source>
        <translation>Rang</translation>
    </message>
    <message>
        <source>Batches</source>
        <translation>Chargen</translation>
    </message>
    <message>
        <source> (not in the database)</source>
        <translation> (nicht in der Datenbank)</translation>
    </message>
    <message>
        <source> (nothing the character can work)</source>
        <translation> (nichts, was der Charakter herstellen kann)</translation>
    </message>
    <message>
        <source>Techniques and summary</source>
        <translation>Techniken und Übersicht</translation>
    </message>
    <message>
        <source>Tick the techniques each item should take. Finish makes the order.</source>
        <translation>Haken Sie die Techniken an, die jedes Teil erhalten soll. Fertigstellen erstellt den Auftrag.</translation>
    </message>
    <message>
        <source>No technique of the template fits this tier</source>
        <translation>Keine Technik der Vorlage passt zu diesem Rang</translation>
    </message>
    <message>
        <source>Replace the current order</source>
        <translation>Den aktuellen Auftrag ersetzen</translation>
    </message>
    <message>
        <source>Add to the current order</source>
        <translation>Zum aktuellen Auftrag hinzufügen</translation>
    </message>
    <message>
        <source>The current order has changes that are not saved. Replace it with the new order?</source>
        <translation>Der aktuelle Auftrag hat ungespeicherte Änderungen. Durch den neuen Auftrag ersetzen?</translation>
    </message>
    <message>
        <source>Items: %d, groups: %d</source>
        <translation>Teile: %d, Gruppen: %d</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Recent Orders</source>
        <translation>Letzte Aufträge</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>Paste List</source>
        <translation>Liste einfügen</translation>
    </message>
    <message>
        <source>Type to filter by name or keyword</source>
        <translation>Tippen, um nach Name oder Stichwort zu filtern</translation>
    </message>
    <message>
        <source>These lines name no formula and were not added:</source>
        <translation>Diese Zeilen nennen keine Formel und wurden nicht hinzugefügt:</translation>
    </message>
    <message>
        <source>These techniques were not found or do not fit the item&apos;s tier, and were left out:</source>
        <translation>Diese Techniken wurden nicht gefunden oder passen nicht zum Rang des Teils und wurden ausgelassen:</translation>
    </message>
    <message>
        <source>%d component lines of a report were left out.</source>
        <translation>%d Komponentenzeilen eines Berichts wurden ausgelassen.</translation>
    </message>
    <message>
        <source>Pasted Items</source>
        <translation>Eingefügte Teile</translation>
    </message>
    <message>
        <source>These lines ask for more than %d batches and were given %d:</source>
        <translation>Diese Zeilen verlangen mehr als %d Chargen und erhielten %d:</translation>
    </message>
    <message>
        <source>The list is UTF-16 text, which Moxa does not read: save it as plain text (ISO-8859-1 or UTF-8) and try again. Nothing was added.</source>
        <translation>Die Liste ist UTF-16-Text, den Moxa nicht liest: speichern Sie sie als reinen Text (ISO-8859-1 oder UTF-8) und versuchen Sie es erneut. Es wurde nichts hinzugefügt.</translation>
    </message>
    <message>
        <source>The list holds NUL bytes (line %d), so it is not plain text. Nothing was added.</source>
        <translation>Die Liste enthält NUL-Bytes (Zeile %d) und ist daher kein reiner Text. Es wurde nichts hinzugefügt.</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Add Item</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Increase Qty</source>
        <translation>Menge erhöhen</translation>
    </message>
    <message>
        <source>Choose Tier</source>
        <translation>Rang wählen</translation>
    </message>
    <message>
        <source>Add Technique</source>
        <translation>Technik hinzufügen</translation>
    </message>
    <message>
        <source>Remove Technique</source>
        <translation>Technik entfernen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Rename Group</source>
        <translation>Gruppe umbenennen</translation>
    </message>
    <message>
        <source>Rename Item</source>
        <translation>Teil umbenennen</translation>
    </message>
    <message>
        <source>Move Item</source>
        <translation>Teil verschieben</translation>
    </message>
    <message>
        <source>Set Batches</source>
        <translation>Chargen setzen</translation>
    </message>
    <message>
        <source>New Group</source>
        <translation>Neue Gruppe</translation>
    </message>
    <message>
        <source>Copy Item</source>
        <translation>Teil kopieren</translation>
    </message>
    <message>
        <source>Align Tiers</source>
        <translation>Ränge angleichen</translation>
    </message>
    <message>
        <source>Acquired Count</source>
        <translation>Erworbene Anzahl</translation>
    </message>
    <message>
        <source>Order Wizard</source>
        <translation>Auftragsassistent</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Edit Order</source>
        <translation>Auftrag bearbeiten</translation>
    </message>
    <message>
        <source>The order file &apos;%s&apos; no longer exists and was taken off the recent orders.</source>
        <translation>Die Auftragsdatei &apos;%s&apos; existiert nicht mehr und wurde aus den letzten Aufträgen entfernt.</translation>
    </message>
    <message>
        <source>Moxa</source>
        <translation>Moxa</translation>
    </message>
    <message>
        <source>Moxa v</source>
        <translation>Moxa v</translation>
    </message>
    <message>
        <source> (Database Revision: </source>
        <translation> (Datenbankrevision: </translation>
    </message>
    <message>
        <source>DB: Default</source>
        <translation>DB: Standard</translation>
    </message>
    <message>
        <source>DB: </source>
        <translation>DB: </translation>
    </message>
    <message>
        <source>Orders</source>
        <translation>Aufträge</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Datenbank</translation>
    </message>
    <message>
        <source>Moxa Online</source>
        <translation>Moxa online</translation>
    </message>
    <message>
        <source>Autodock</source>
        <translation>Andocken</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Auftrag</translation>
    </message>
    <message>
        <source>Reports</source>
        <translation>Berichte</translation>
    </message>
    <message>
        <source>Formulae</source>
        <translation>Formeln</translation>
    </message>
    <message>
        <source>Techniques</source>
        <translation>Techniken</translation>
    </message>
    <message>
        <source>Components</source>
        <translation>Komponenten</translation>
    </message>
    <message>
        <source>Profiles</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>Toggles the display of items associated with this order (F1)</source>
        <translation>Zeigt oder verbirgt die Teile dieses Auftrags (F1)</translation>
    </message>
    <message>
        <source>Toggles the Report screen (F2)</source>
        <translation>Zeigt oder verbirgt die Berichte (F2)</translation>
    </message>
    <message>
        <source>Toggles the Formulae database (F3)</source>
        <translation>Zeigt oder verbirgt die Formeldatenbank (F3)</translation>
    </message>
    <message>
        <source>Toggles the Technique database (F4)</source>
        <translation>Zeigt oder verbirgt die Technikdatenbank (F4)</translation>
    </message>
    <message>
        <source>Toggles the Component database (F5)</source>
        <translation>Zeigt oder verbirgt die Komponentendatenbank (F5)</translation>
    </message>
    <message>
        <source>Toggles the Profile Manager (F6)</source>
        <translation>Zeigt oder verbirgt die Profilverwaltung (F6)</translation>
    </message>
    <message>
        <source>Performs a Live Update on the database (F7)</source>
        <translation>Führt ein Live-Update der Datenbank durch (F7)</translation>
    </message>
    <message>
        <source>Recaching of the database should be done if you&apos;ve manually updated the database,
or the database is corrupt, or if icons appear incorrectly. There is no danger in
performing a recache, just that it may take some time.

Do you really want to reload all configuration data (This will clear the current order)?</source>
        <translation>Der Cache der Datenbank sollte neu aufgebaut werden, wenn Sie die Datenbank von Hand
aktualisiert haben, die Datenbank beschädigt ist oder Symbole falsch erscheinen. Der
Neuaufbau ist ungefährlich, er kann nur etwas dauern.

Möchten Sie wirklich alle Konfigurationsdaten neu laden (der aktuelle Auftrag wird geleert)?</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New Order...</source>
        <translation>&amp;Neuer Auftrag...</translation>
    </message>
    <message>
        <source>&amp;Open Order...</source>
        <translation>Auftrag ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save Order</source>
        <translation>Auftrag &amp;speichern</translation>
    </message>
    <message>
        <source>Save Order  &amp;As...</source>
        <translation>Auftrag speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Extras</translation>
    </message>
    <message>
        <source>Always On Top</source>
        <translation>Immer im Vordergrund</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Fenster</translation>
    </message>
    <message>
        <source>All Windows</source>
        <translation>Alle Fenster</translation>
    </message>
    <message>
        <source>Remember All Positions</source>
        <translation>Alle Positionen merken</translation>
    </message>
    <message>
        <source>Restore All Positions</source>
        <translation>Alle Positionen wiederherstellen</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Formulae Database</source>
        <translation>Formeldatenbank</translation>
    </message>
    <message>
        <source>Technique Database</source>
        <translation>Technikdatenbank</translation>
    </message>
    <message>
        <source>Component Database</source>
        <translation>Komponentendatenbank</translation>
    </message>
    <message>
        <source>Profile Manager</source>
        <translation>Profilverwaltung</translation>
    </message>
    <message>
        <source>Remember Position</source>
        <translation>Position merken</translation>
    </message>
    <message>
        <source>Restore Saved Position</source>
        <translation>Gemerkte Position wiederherstellen</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Ausrichtung</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Senkrecht</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Waagerecht</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Configuration...</source>
        <translation>Konfiguration...</translation>
    </message>
    <message>
        <source>Recache Database</source>
        <translation>Datenbank-Cache neu aufbauen</translation>
    </message>
    <message>
        <source>Refresh Theme</source>
        <translation>Design neu laden</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Official Website</source>
        <translation>Offizielle Website</translation>
    </message>
    <message>
        <source>Online Manual</source>
        <translation>Online-Handbuch</translation>
    </message>
    <message>
        <source>Report a Bug</source>
        <translation>Fehler melden</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Über...</translation>
    </message>
    <message>
        <source>About Moxa</source>
        <translation>Über Moxa</translation>
    </message>
    <message>
        <source>
Free software under the MIT licence.</source>
        <translation>
Freie Software unter der MIT-Lizenz.</translation>
    </message>
    <message>
        <source>

Data folder: </source>
        <translation>

Datenordner: </translation>
    </message>
    <message>
        <source>
Settings file: </source>
        <translation>
Einstellungsdatei: </translation>
    </message>
    <message>
        <source>

Homepage: </source>
        <translation>

Website: </translation>
    </message>
    <message>
        <source>
Report bugs: </source>
        <translation>
Fehler melden: </translation>
    </message>
    <message>
        <source>

This Wayland session places windows itself, so tool windows do not dock and saved positions are not restored. Started with an X server at hand (DISPLAY), Moxa uses it and docks.</source>
        <translation>

Diese Wayland-Sitzung platziert Fenster selbst, daher docken die Werkzeugfenster nicht an und gemerkte Positionen werden nicht wiederhergestellt. Mit einem erreichbaren X-Server (DISPLAY) gestartet, nutzt Moxa diesen und dockt an.</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source> (unavailable on this desktop)</source>
        <translation> (auf diesem Desktop nicht verfügbar)</translation>
    </message>
    <message>
        <source> (taken by another program: </source>
        <translation> (von einem anderen Programm belegt: </translation>
    </message>
    <message>
        <source>Tellurin Installation Path</source>
        <translation>Installationspfad von Tellurin</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Please select the Tellurin Installation folder.</source>
        <translation>Bitte wählen Sie den Installationsordner von Tellurin.</translation>
    </message>
    <message>
        <source>Display Game Icons?</source>
        <translation>Spielsymbole anzeigen?</translation>
    </message>
    <message>
        <source>Icon Size</source>
        <translation>Symbolgröße</translation>
    </message>
    <message>
        <source>Sticky Strength</source>
        <translation>Haftstärke</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation>Design</translation>
    </message>
    <message>
        <source>Caching Enabled (Recommended)</source>
        <translation>Cache aktiviert (empfohlen)</translation>
    </message>
    <message>
        <source>Above Normal Priority?</source>
        <translation>Erhöhte Priorität?</translation>
    </message>
    <message>
        <source>Global Hotkeys?</source>
        <translation>Globale Tastenkürzel?</translation>
    </message>
    <message>
        <source>(Requires Restart)</source>
        <translation>(erfordert Neustart)</translation>
    </message>
    <message>
        <source>Drag With Toolbar?</source>
        <translation>Mit Werkzeugleiste ziehen?</translation>
    </message>
    <message>
        <source>Moxa needs to know the location of the Tellurin game files. These are used to generate the icons within the application, otherwise no game related icons will be displayed.</source>
        <translation>Moxa muss wissen, wo die Spieldateien von Tellurin liegen. Aus ihnen werden die Symbole im Programm erzeugt, sonst werden keine Spielsymbole angezeigt.</translation>
    </message>
    <message>
        <source>Icons are used to represent formulas and techniques. Not loading them can reduce memory load for low end machines. You can also specify their size to suit your preferences.</source>
        <translation>Symbole stellen Formeln und Techniken dar. Sie nicht zu laden spart Speicher auf schwachen Rechnern. Ihre Größe können Sie nach Wunsch einstellen.</translation>
    </message>
    <message>
        <source>Caching allows all the loaded XML/Icons files to be stored in a format more easily parsed by Moxa. Enabling caching will result in a much faster startup.</source>
        <translation>Der Cache speichert alle geladenen XML- und Symboldateien in einem Format, das Moxa schneller liest. Mit aktiviertem Cache startet Moxa deutlich schneller.</translation>
    </message>
    <message>
        <source>Help With Configuration</source>
        <translation>Hilfe zur Konfiguration</translation>
    </message>
    <message>
        <source>In order for these changes to take effect, the database must be recached, this may take some time and will reset any current order. Proceed now, or perform on next start?</source>
        <translation>Damit diese Änderungen wirksam werden, muss der Datenbank-Cache neu aufgebaut werden. Das kann etwas dauern und setzt den aktuellen Auftrag zurück. Jetzt fortfahren oder beim nächsten Start?</translation>
    </message>
    <message>
        <source>Current Order</source>
        <translation>Aktueller Auftrag</translation>
    </message>
    <message>
        <source>Delete...</source>
        <translation>Löschen...</translation>
    </message>
    <message>
        <source>Tech</source>
        <translation>Techn.</translation>
    </message>
    <message>
        <source>Copy To Clipboard</source>
        <translation>In Zwischenablage</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Select None</source>
        <translation>Nichts auswählen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Invert Selection</source>
        <translation>Auswahl umkehren</translation>
    </message>
    <message>
        <source>Copy Selected To Clipboard</source>
        <translation>Auswahl in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Please enter the Group name</source>
        <translation>Bitte geben Sie den Gruppennamen ein</translation>
    </message>
    <message>
        <source>New Group Name</source>
        <translation>Neuer Gruppenname</translation>
    </message>
    <message>
        <source>Do you really want to delete the group &apos;</source>
        <translation>Möchten Sie diese Gruppe wirklich löschen: &apos;</translation>
    </message>
    <message>
        <source>Help With Orders</source>
        <translation>Hilfe zu Aufträgen</translation>
    </message>
    <message>
        <source>XML Files (*.xml)</source>
        <translation>XML-Dateien (*.xml)</translation>
    </message>
    <message>
        <source>Select the item whose tier the ticked items take</source>
        <translation>Wählen Sie das Teil, dessen Rang die angehakten Teile erhalten</translation>
    </message>
    <message>
        <source>Tick the items that take the selected item&apos;s tier</source>
        <translation>Haken Sie die Teile an, die den Rang des gewählten Teils erhalten</translation>
    </message>
    <message>
        <source>No other ticked item is a %s</source>
        <translation>Kein anderes angehaktes Teil ist ein %s</translation>
    </message>
    <message>
        <source>Every ticked %s is already %s</source>
        <translation>Jedes angehakte %s ist schon %s</translation>
    </message>
    <message>
        <source>%d ticked %s set to %s</source>
        <translation>%d angehakte %s auf %s gesetzt</translation>
    </message>
    <message>
        <source>Items</source>
        <translation>Teile</translation>
    </message>
    <message>
        <source>batches x %d per batch = %lld</source>
        <translation>Chargen x %d je Charge = %lld</translation>
    </message>
    <message>
        <source>The order could not be saved to &apos;</source>
        <translation>Der Auftrag konnte nicht gespeichert werden unter &apos;</translation>
    </message>
    <message>
        <source>Another program has saved &apos;</source>
        <translation>Ein anderes Programm hat &apos;</translation>
    </message>
    <message>
        <source>&apos; since this order was opened or saved. Overwrite it with this order?</source>
        <translation>&apos; gespeichert, seit dieser Auftrag geöffnet oder gespeichert wurde. Mit diesem Auftrag überschreiben?</translation>
    </message>
    <message>
        <source>Order &amp; Comps</source>
        <translation>Auftrag &amp; Komp.</translation>
    </message>
    <message>
        <source>Order Only</source>
        <translation>Nur Auftrag</translation>
    </message>
    <message>
        <source>Components Only</source>
        <translation>Nur Komponenten</translation>
    </message>
    <message>
        <source>Bonuses</source>
        <translation>Boni</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Direct</source>
        <translation>Direkt</translation>
    </message>
    <message>
        <source>HTML</source>
        <translation>HTML</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Zwischenablage</translation>
    </message>
    <message>
        <source>Generate</source>
        <translation>Erzeugen</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Sort By</source>
        <translation>Sortieren nach</translation>
    </message>
    <message>
        <source>Component Name</source>
        <translation>Komponentenname</translation>
    </message>
    <message>
        <source>Quantity Required</source>
        <translation>Benötigte Menge</translation>
    </message>
    <message>
        <source>Breakdown</source>
        <translation>Aufschlüsselung</translation>
    </message>
    <message>
        <source>Show Components</source>
        <translation>Komponenten zeigen</translation>
    </message>
    <message>
        <source>Show Subcomponents</source>
        <translation>Unterkomponenten zeigen</translation>
    </message>
    <message>
        <source>Show Base Resource</source>
        <translation>Grundressourcen zeigen</translation>
    </message>
    <message>
        <source>Direct Only</source>
        <translation>Nur direkte</translation>
    </message>
    <message>
        <source>Include Indirect</source>
        <translation>Auch indirekte</translation>
    </message>
    <message>
        <source>Help With Reports</source>
        <translation>Hilfe zu Berichten</translation>
    </message>
    <message>
        <source>Reports - %d of %d Selected</source>
        <translation>Berichte - %d von %d ausgewählt</translation>
    </message>
    <message>
        <source>The report could not be written to:
%s</source>
        <translation>Der Bericht konnte nicht geschrieben werden nach:
%s</translation>
    </message>
    <message>
        <source>No browser could be opened to show the report.
The page was written to:
%s</source>
        <translation>Es konnte kein Browser geöffnet werden, um den Bericht zu zeigen.
Die Seite wurde geschrieben nach:
%s</translation>
    </message>
    <message>
        <source>Plan</source>
        <translation>Plan</translation>
    </message>
    <message>
        <source>CSV</source>
        <translation>CSV</translation>
    </message>
    <message>
        <source>JSON</source>
        <translation>JSON</translation>
    </message>
    <message>
        <source>Group Gathering by Location</source>
        <translation>Sammeln nach Ort gruppieren</translation>
    </message>
    <message>
        <source>Compare Characters...</source>
        <translation>Charaktere vergleichen...</translation>
    </message>
    <message>
        <source>Compare Characters</source>
        <translation>Charaktere vergleichen</translation>
    </message>
    <message>
        <source>Mark Acquired as Done</source>
        <translation>Erworbenes als erledigt markieren</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>JSON Files (*.json)</source>
        <translation>JSON-Dateien (*.json)</translation>
    </message>
    <message>
        <source>The report could not be written to &apos;%s&apos;.</source>
        <translation>Der Bericht konnte nicht nach &apos;%s&apos; geschrieben werden.</translation>
    </message>
    <message>
        <source>Enter the acquired count as a whole number of 0 or more.</source>
        <translation>Geben Sie die erworbene Anzahl als ganze Zahl ab 0 ein.</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Eigene</translation>
    </message>
    <message>
        <source>%d Formulae</source>
        <translation>%d Formeln</translation>
    </message>
    <message>
        <source> (Filtered)</source>
        <translation> (gefiltert)</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>This tier of the Formula &apos;%s&apos; can only take %d techniques.
Please remove any excess techniques and try again</source>
        <translation>Dieser Rang der Formel &apos;%s&apos; kann nur %d Techniken aufnehmen.
Bitte entfernen Sie überzählige Techniken und versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>Error - Cannot find the tier &apos;%s&apos; for the technique &apos;%s&apos;</source>
        <translation>Fehler - Der Rang &apos;%s&apos; der Technik &apos;%s&apos; wurde nicht gefunden</translation>
    </message>
    <message>
        <source>This tier of the Formula &apos;%s&apos; cannot take &apos;%s&apos;.
Please remove it and try again</source>
        <translation>Dieser Rang der Formel &apos;%s&apos; kann &apos;%s&apos; nicht aufnehmen.
Bitte entfernen Sie sie und versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>This tier of the Formula &apos;%s&apos; has no room for &apos;%s&apos;: it can only take %d techniques.</source>
        <translation>Dieser Rang der Formel &apos;%s&apos; hat keinen Platz für &apos;%s&apos;: er kann nur %d Techniken aufnehmen.</translation>
    </message>
    <message>
        <source>Too Low</source>
        <translation>Zu niedrig</translation>
    </message>
    <message>
        <source>(technique)</source>
        <translation>(Technik)</translation>
    </message>
    <message>
        <source>%d Techniques</source>
        <translation>%d Techniken</translation>
    </message>
    <message>
        <source> (Usable)</source>
        <translation> (verwendbar)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Anwenden</translation>
    </message>
    <message>
        <source>Filter Formulae By Technique</source>
        <translation>Formeln nach Technik filtern</translation>
    </message>
    <message>
        <source>Show Usable Techniques Only</source>
        <translation>Nur verwendbare Techniken zeigen</translation>
    </message>
    <message>
        <source>Help With Techniques</source>
        <translation>Hilfe zu Techniken</translation>
    </message>
    <message>
        <source>Item</source>
        <translation>Teil</translation>
    </message>
    <message>
        <source>None chosen in the Formula Database</source>
        <translation>Keines in der Formeldatenbank gewählt</translation>
    </message>
    <message>
        <source>%s (%s), %d of %d technique slots used</source>
        <translation>%s (%s), %d von %d Technikplätzen belegt</translation>
    </message>
    <message>
        <source>Origin</source>
        <translation>Herkunft</translation>
    </message>
    <message>
        <source>Skill Adjust</source>
        <translation>Fertigkeitsänderung</translation>
    </message>
    <message>
        <source>Usage Adjust</source>
        <translation>Verbrauchsänderung</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Bonus</source>
        <translation>Bonus</translation>
    </message>
    <message>
        <source>Please choose a formula and its tier in the Formula Database before applying a technique.</source>
        <translation>Bitte wählen Sie in der Formeldatenbank eine Formel und ihren Rang, bevor Sie eine Technik anwenden.</translation>
    </message>
    <message>
        <source>This tier of the Formula &apos;%s&apos; (%s) is too low for &apos;%s&apos; (%s).</source>
        <translation>Dieser Rang der Formel &apos;%s&apos; (%s) ist zu niedrig für &apos;%s&apos; (%s).</translation>
    </message>
    <message>
        <source>Component Types</source>
        <translation>Komponentenarten</translation>
    </message>
    <message>
        <source>%d Components</source>
        <translation>%d Komponenten</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Bulk</source>
        <translation>Volumen</translation>
    </message>
    <message>
        <source>Buy Value</source>
        <translation>Kaufwert</translation>
    </message>
    <message>
        <source>Sell Value</source>
        <translation>Verkaufswert</translation>
    </message>
    <message>
        <source>Vendor Value</source>
        <translation>Händlerwert</translation>
    </message>
    <message>
        <source>Gathered By</source>
        <translation>Gesammelt mit</translation>
    </message>
    <message>
        <source>Tool</source>
        <translation>Werkzeug</translation>
    </message>
    <message>
        <source>Rate</source>
        <translation>Rate</translation>
    </message>
    <message>
        <source>Skill Range</source>
        <translation>Fertigkeitsbereich</translation>
    </message>
    <message>
        <source>Not gathered</source>
        <translation>Nicht gesammelt</translation>
    </message>
    <message>
        <source>^Locations</source>
        <translation>^Fundorte</translation>
    </message>
    <message>
        <source>&lt;Used By|&lt;Category|^Tier|&lt;Through</source>
        <translation>&lt;Verwendet von|&lt;Kategorie|^Rang|&lt;Über</translation>
    </message>
    <message>
        <source>Used By %d Formula Tiers</source>
        <translation>Verwendet von %d Formelrängen</translation>
    </message>
    <message>
        <source>Help With Components</source>
        <translation>Hilfe zu Komponenten</translation>
    </message>
    <message>
        <source>Efficiency Levels</source>
        <translation>Effizienzstufen</translation>
    </message>
    <message>
        <source>Efficiency Levels - %s</source>
        <translation>Effizienzstufen - %s</translation>
    </message>
    <message>
        <source>^Skill|^Qty/Batch|^Effiency</source>
        <translation>^Fertigkeit|^Menge/Charge|^Effizienz</translation>
    </message>
    <message>
        <source>%s: minimum %lld, optimum %lld</source>
        <translation>%s: Minimum %lld, Optimum %lld</translation>
    </message>
    <message>
        <source> (techniques %+lld)</source>
        <translation> (Techniken %+lld)</translation>
    </message>
    <message>
        <source>Current skill: %d</source>
        <translation>Aktuelle Fertigkeit: %d</translation>
    </message>
    <message>
        <source>No profile selected</source>
        <translation>Kein Profil gewählt</translation>
    </message>
    <message>
        <source>No resource selected</source>
        <translation>Keine Ressource gewählt</translation>
    </message>
    <message>
        <source>Help With Profiles</source>
        <translation>Hilfe zu Profilen</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>Save Changes</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Statistics</source>
        <translation>Attribute</translation>
    </message>
    <message>
        <source>Craft Levels</source>
        <translation>Handwerksstufen</translation>
    </message>
    <message>
        <source>Craft Skills</source>
        <translation>Handwerksfertigkeiten</translation>
    </message>
    <message>
        <source>Adventure Levels</source>
        <translation>Abenteuerstufen</translation>
    </message>
    <message>
        <source>Adventure Skills</source>
        <translation>Abenteuerfertigkeiten</translation>
    </message>
    <message>
        <source>Statistic|Value</source>
        <translation>Attribut|Wert</translation>
    </message>
    <message>
        <source>School|Level|Lowest
Work Tier|Highest
Work Tier</source>
        <translation>Schule|Stufe|Unterster
Rang|Oberster
Rang</translation>
    </message>
    <message>
        <source>Skill|Level</source>
        <translation>Fertigkeit|Stufe</translation>
    </message>
    <message>
        <source>School|Level</source>
        <translation>Schule|Stufe</translation>
    </message>
    <message>
        <source>New Profile</source>
        <translation>Neues Profil</translation>
    </message>
    <message>
        <source>Copy of </source>
        <translation>Kopie von </translation>
    </message>
    <message>
        <source>Do you want to delete the profile &apos;</source>
        <translation>Möchten Sie das Profil &apos;</translation>
    </message>
    <message>
        <source>&apos;? Its file is deleted as well.</source>
        <translation>&apos; löschen? Seine Datei wird ebenfalls gelöscht.</translation>
    </message>
    <message>
        <source>The profile &apos;%s&apos; comes with the database and cannot be changed or deleted.
Copy it to make a profile of your own.</source>
        <translation>Das Profil &apos;%s&apos; gehört zur Datenbank und kann nicht geändert oder gelöscht werden.
Kopieren Sie es, um ein eigenes Profil anzulegen.</translation>
    </message>
    <message>
        <source>The file &apos;%s&apos; could not be deleted, the profile is kept.</source>
        <translation>Die Datei &apos;%s&apos; konnte nicht gelöscht werden, das Profil bleibt erhalten.</translation>
    </message>
    <message>
        <source>Please enter a name for the profile.</source>
        <translation>Bitte geben Sie einen Namen für das Profil ein.</translation>
    </message>
    <message>
        <source>A profile name cannot contain &apos;/&apos; or &apos;\&apos;, nor be &apos;.&apos; or &apos;..&apos;.</source>
        <translation>Ein Profilname darf weder &apos;/&apos; noch &apos;\&apos; enthalten und nicht &apos;.&apos; oder &apos;..&apos; sein.</translation>
    </message>
    <message>
        <source>There is already a profile named &apos;%s&apos;.</source>
        <translation>Es gibt bereits ein Profil namens &apos;%s&apos;.</translation>
    </message>
    <message>
        <source>Please enter the server of the profile.</source>
        <translation>Bitte geben Sie den Server des Profils ein.</translation>
    </message>
    <message>
        <source>Please enter a whole number from 0 up.</source>
        <translation>Bitte geben Sie eine ganze Zahl ab 0 ein.</translation>
    </message>
    <message>
        <source>Please enter a whole number.</source>
        <translation>Bitte geben Sie eine ganze Zahl ein.</translation>
    </message>
    <message>
        <source>Work tiers go from 1 to 10, and the lowest cannot be above the highest.</source>
        <translation>Arbeitsränge reichen von 1 bis 10, und der niedrigste darf nicht über dem höchsten liegen.</translation>
    </message>
    <message>
        <source>Craft Item</source>
        <translation>Herzustellen</translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation>Menge</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>The database update cannot be installed now: </source>
        <translation>Das Datenbank-Update kann jetzt nicht installiert werden: </translation>
    </message>
    <message>
        <source>.
The update file is kept for the next start</source>
        <translation>.
Die Updatedatei bleibt für den nächsten Start erhalten</translation>
    </message>
    <message>
        <source>The settings could not be saved.</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Exit without saving them?</source>
        <translation>Ohne sie zu speichern beenden?</translation>
    </message>
    <message>
        <source>Gives the ticked items of the selected item&apos;s formula its tier</source>
        <translation>Gibt den markierten Einträgen der Formel des gewählten Eintrags dessen Rang</translation>
    </message>
    <message>
        <source>Adds a copy of the selected item to its group</source>
        <translation>Fügt eine Kopie des gewählten Eintrags seiner Gruppe hinzu</translation>
    </message>
    <message>
        <source>Acquired/Quantity</source>
        <translation>Erhalten/Menge</translation>
    </message>
    <message>
        <source>The report was written to &apos;%s&apos;.</source>
        <translation>Der Bericht wurde nach &apos;%s&apos; geschrieben.</translation>
    </message>
    <message>
        <source>Prices...</source>
        <translation>Preise...</translation>
    </message>
    <message>
        <source>Margins...</source>
        <translation>Margen...</translation>
    </message>
    <message>
        <source>Margins</source>
        <translation>Margen</translation>
    </message>
    <message>
        <source>Prices</source>
        <translation>Preise</translation>
    </message>
    <message>
        <source>What each name costs, for the plan&apos;s costs and the margins</source>
        <translation>Was jeder Name kostet, für die Kosten des Plans und die Margen</translation>
    </message>
    <message>
        <source>Search:</source>
        <translation>Suche:</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importieren...</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Preis</translation>
    </message>
    <message>
        <source>%d of %d names, %d priced</source>
        <translation>%d von %d Namen, %d mit Preis</translation>
    </message>
    <message>
        <source>Enter the price in coins, such as 12 or 3.50, or leave the cell empty for no price.</source>
        <translation>Geben Sie den Preis in Münzen ein, etwa 12 oder 3.50, oder lassen Sie das Feld für keinen Preis leer.</translation>
    </message>
    <message>
        <source>The prices could not be saved to &apos;%s&apos;.</source>
        <translation>Die Preise konnten nicht nach &apos;%s&apos; gespeichert werden.</translation>
    </message>
    <message>
        <source>The price list could not be read: %s.</source>
        <translation>Die Preisliste konnte nicht gelesen werden: %s.</translation>
    </message>
    <message>
        <source>Some lines of the price list were not used:
%s</source>
        <translation>Einige Zeilen der Preisliste wurden nicht verwendet:
%s</translation>
    </message>
</context>
</TS>
