<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>AboutPage</name>
    <message>
        <source>About</source>
        <translation>Über Zentick</translation>
    </message>
    <message>
        <source>Open the web site</source>
        <translation>Website öffnen</translation>
    </message>
    <message>
        <source>Get support on the web site</source>
        <translation>Hilfe auf der Website erhalten</translation>
    </message>
    <message>
        <source>Back to the main menu</source>
        <translation>Zurück zum Hauptmenü</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>&amp;Website: %1</source>
        <translation>&amp;Website: %1</translation>
    </message>
    <message>
        <source>Get &amp;Support</source>
        <translation>&amp;Hilfe erhalten</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
</context>
<context>
    <name>AddressBookPage</name>
    <message>
        <source>Address Book</source>
        <translation>Adressbuch</translation>
    </message>
    <message>
        <source>Address book entries</source>
        <translation>Einträge des Adressbuchs</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Phone Number(s)</source>
        <translation>Telefonnummer(n)</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>Add New</source>
        <translation>Neu hinzufügen</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Send Email</source>
        <translation>E-Mail senden</translation>
    </message>
    <message>
        <source>Back to the main menu</source>
        <translation>Zurück zum Hauptmenü</translation>
    </message>
    <message>
        <source>Add a new entry</source>
        <translation>Neuen Eintrag hinzufügen</translation>
    </message>
    <message>
        <source>Change the selected entry</source>
        <translation>Ausgewählten Eintrag ändern</translation>
    </message>
    <message>
        <source>Delete the selected entry</source>
        <translation>Ausgewählten Eintrag löschen</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Add New&gt;&gt;</source>
        <translation>&amp;Neu&gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;Edit&gt;&gt;</source>
        <translation>&amp;Bearbeiten&gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
</context>
<context>
    <name>AddressEntryPage</name>
    <message>
        <source>Add Information</source>
        <translation>Angaben hinzufügen</translation>
    </message>
    <message>
        <source>Full Name</source>
        <translation>Vollständiger Name</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Phone Number(s)</source>
        <translation>Telefonnummer(n)</translation>
    </message>
    <message>
        <source>E-Mail Address</source>
        <translation>E-Mail-Adresse</translation>
    </message>
    <message>
        <source>Other Personal Information</source>
        <translation>Weitere persönliche Angaben</translation>
    </message>
    <message>
        <source>Back to the address book</source>
        <translation>Zurück zum Adressbuch</translation>
    </message>
    <message>
        <source>Change the entry</source>
        <translation>Eintrag ändern</translation>
    </message>
    <message>
        <source>Add the entry</source>
        <translation>Eintrag hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Change</source>
        <translation>Än&amp;dern</translation>
    </message>
</context>
<context>
    <name>AlarmEditorPage</name>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>New Alarm</source>
        <translation>Neuer Alarm</translation>
    </message>
    <message>
        <source>Type the Alarm Description Here:</source>
        <translation>Geben Sie hier den Alarmtext ein:</translation>
    </message>
    <message>
        <source>Alarm description</source>
        <translation>Alarmtext</translation>
    </message>
    <message>
        <source>Alarm date</source>
        <translation>Alarmdatum</translation>
    </message>
    <message>
        <source>Alarm time</source>
        <translation>Alarmzeit</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minuten</translation>
    </message>
    <message>
        <source>If this is checked the Alarm will be bypassed if the system
is turned off at the specified Date and Time.</source>
        <translation>Ist dies angekreuzt, wird der Alarm übersprungen, wenn der Rechner
zum angegebenen Zeitpunkt ausgeschaltet ist.</translation>
    </message>
    <message>
        <source>Repetition count</source>
        <translation>Anzahl für die Wiederholung</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Stunden</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Weeks</source>
        <translation>Wochen</translation>
    </message>
    <message>
        <source>Months</source>
        <translation>Monate</translation>
    </message>
    <message>
        <source>Years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <source>Repetition unit</source>
        <translation>Einheit der Wiederholung</translation>
    </message>
    <message>
        <source>Advanced: days of the week and months</source>
        <translation>Erweitert: Wochentage und Monate</translation>
    </message>
    <message>
        <source>Choose Alarm Category:</source>
        <translation>Alarmkategorie wählen:</translation>
    </message>
    <message>
        <source>Hepls you to orgranize your alarms</source>
        <translation>Hilft Ihnen, Ihre Alarme zu ordnen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Name Day</source>
        <translation>Namenstag</translation>
    </message>
    <message>
        <source>Hepls you to orgranize your alarms.</source>
        <translation>Hilft Ihnen, Ihre Alarme zu ordnen.</translation>
    </message>
    <message>
        <source>Alarm category</source>
        <translation>Alarmkategorie</translation>
    </message>
    <message>
        <source>Add Category. Examples: &quot;Name Day&quot;, &quot;Anniversary&quot; etc.</source>
        <translation>Kategorie hinzufügen. Beispiele: „Namenstag“, „Jahrestag“ usw.</translation>
    </message>
    <message>
        <source>Edit alarm categories</source>
        <translation>Alarmkategorien bearbeiten</translation>
    </message>
    <message>
        <source>Edit Past Alarm</source>
        <translation>Vergangenen Alarm bearbeiten</translation>
    </message>
    <message>
        <source>Edit Active Alarm</source>
        <translation>Aktiven Alarm bearbeiten</translation>
    </message>
    <message>
        <source>Invalid Date or Time.</source>
        <translation>Ungültiges Datum oder ungültige Uhrzeit.</translation>
    </message>
    <message>
        <source>Zentick &amp;at:</source>
        <translation>Zentick &amp;um:</translation>
    </message>
    <message>
        <source>Zentick a&amp;fter:</source>
        <translation>Zentick &amp;nach:</translation>
    </message>
    <message>
        <source>B&amp;ypass if delayed</source>
        <translation>&amp;Bei Verspätung überspringen</translation>
    </message>
    <message>
        <source>Notify me with &amp;Sound</source>
        <translation>&amp;Mit Ton benachrichtigen</translation>
    </message>
    <message>
        <source>Enable Re&amp;petition every:</source>
        <translation>Wiederholen &amp;alle:</translation>
    </message>
    <message>
        <source>A&amp;dvanced</source>
        <translation>&amp;Erweitert</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Next&gt;&gt;</source>
        <translation>&amp;Weiter&gt;&gt;</translation>
    </message>
</context>
<context>
    <name>AlarmListPage</name>
    <message>
        <source>General Alarms</source>
        <translation>Alarme</translation>
    </message>
    <message>
        <source>Show the alarms of the category</source>
        <translation>Alarme dieser Kategorie zeigen</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
</context>
<context>
    <name>Autostart</name>
    <message>
        <source>The folder &quot;%1&quot; cannot be made.</source>
        <translation>Der Ordner „%1“ kann nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>BirthdayEditorPage</name>
    <message>
        <source>Birthday</source>
        <translation>Geburtstag</translation>
    </message>
    <message>
        <source>New Birthday</source>
        <translation>Neuer Geburtstag</translation>
    </message>
    <message>
        <source>Type his/her name:</source>
        <translation>Name der Person:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Select the Date of his/her Birth:</source>
        <translation>Geburtsdatum auswählen:</translation>
    </message>
    <message>
        <source>Date of birth calendar</source>
        <translation>Kalender für das Geburtsdatum</translation>
    </message>
    <message>
        <source>Selected Date of Birth:</source>
        <translation>Gewähltes Geburtsdatum:</translation>
    </message>
    <message>
        <source>Date of birth</source>
        <translation>Geburtsdatum</translation>
    </message>
    <message>
        <source>Notify me also:</source>
        <translation>Zusätzlich erinnern:</translation>
    </message>
    <message>
        <source>Days before the birthday</source>
        <translation>Tage vor dem Geburtstag</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>before his/her Birthday</source>
        <translation>vor dem Geburtstag</translation>
    </message>
    <message>
        <source>Edit Birthday</source>
        <translation>Geburtstag bearbeiten</translation>
    </message>
    <message>
        <source>Please enter his/her name.</source>
        <translation>Bitte geben Sie einen Namen ein.</translation>
    </message>
    <message>
        <source>Invalid Date of Birth.</source>
        <translation>Ungültiges Geburtsdatum.</translation>
    </message>
    <message>
        <source>Notify me with &amp;Sound</source>
        <translation>&amp;Mit Ton benachrichtigen</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Next&gt;&gt;</source>
        <translation>&amp;Weiter&gt;&gt;</translation>
    </message>
</context>
<context>
    <name>BirthdayListPage</name>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message>
        <source>Birthdays</source>
        <translation>Geburtstage</translation>
    </message>
</context>
<context>
    <name>CalendarExchange</name>
    <message>
        <source>&quot;%1&quot; has no start and was left out.</source>
        <translation>„%1“ hat keinen Beginn und wurde ausgelassen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a power action: those are set on each computer, it was left out.</source>
        <translation>„%1“ ist eine Energieaktion: Diese werden auf jedem Computer eigens eingestellt; sie wurde ausgelassen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; (RRULE:%2) has no occurrence to come and was left out.</source>
        <translation>„%1“ (RRULE:%2) kommt nicht mehr vor und wurde ausgelassen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: Zentick cannot repeat RRULE:%2; only its next occurrence, %3, was imported.</source>
        <translation>„%1“: Zentick kann RRULE:%2 nicht wiederholen; nur das nächste Vorkommen, %3, wurde importiert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; (%2) lies in the past and was left out.</source>
        <translation>„%1“ (%2) liegt in der Vergangenheit und wurde ausgelassen.</translation>
    </message>
    <message>
        <source>The note of %1 was left out: the diary has one for that day.</source>
        <translation>Der Eintrag vom %1 wurde ausgelassen: Das Tagebuch hat für diesen Tag schon einen.</translation>
    </message>
    <message>
        <source>Imported %1 event(s) and %2 diary note(s); %3 already there.</source>
        <translation>Importiert: %1 Termin(e) und %2 Tagebucheintrag/-einträge; %3 schon vorhanden.</translation>
    </message>
    <message>
        <source>Imported %1 event(s) and %2 diary note(s).</source>
        <translation>Importiert: %1 Termin(e) und %2 Tagebucheintrag/-einträge.</translation>
    </message>
    <message>
        <source>the file holds a zero byte, so it is no iCalendar text.</source>
        <translation>Die Datei enthält ein Null-Byte, ist also kein iCalendar-Text.</translation>
    </message>
    <message>
        <source>the file does not end with END:VCALENDAR: it is cut off or no calendar.</source>
        <translation>Die Datei endet nicht mit END:VCALENDAR: Sie ist abgeschnitten oder kein Kalender.</translation>
    </message>
    <message>
        <source>the file is no iCalendar calendar (BEGIN:VCALENDAR ... END:VCALENDAR).</source>
        <translation>Die Datei ist kein iCalendar-Kalender (BEGIN:VCALENDAR ... END:VCALENDAR).</translation>
    </message>
    <message>
        <source>libical found it damaged: %1</source>
        <translation>libical hat sie als beschädigt erkannt: %1</translation>
    </message>
    <message>
        <source>%1 to-do(s) left out: Zentick keeps no to-do list.</source>
        <translation>%1 Aufgabe(n) ausgelassen: Zentick führt keine Aufgabenliste.</translation>
    </message>
    <message>
        <source>%1 other part(s) (free/busy times and the like) left out.</source>
        <translation>%1 andere(r) Teil(e) (Frei/Belegt-Zeiten und Ähnliches) ausgelassen.</translation>
    </message>
</context>
<context>
    <name>CalendarViewPage</name>
    <message>
        <source>View Events</source>
        <translation>Termine ansehen</translation>
    </message>
    <message>
        <source>Events calendar</source>
        <translation>Terminkalender</translation>
    </message>
    <message>
        <source>Show the events of the day</source>
        <translation>Termine des Tages zeigen</translation>
    </message>
    <message>
        <source>Back to the main menu</source>
        <translation>Zurück zum Hauptmenü</translation>
    </message>
    <message>
        <source>&amp;Show&gt;&gt;</source>
        <translation>Z&amp;eigen&gt;&gt;</translation>
    </message>
    <message>
        <source>Switch to C&amp;lassic View</source>
        <translation>Zur &amp;Listenansicht wechseln</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
</context>
<context>
    <name>CalendarsPage</name>
    <message>
        <source>Calendars</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Calendar Files (iCalendar):</source>
        <translation>Kalenderdateien (iCalendar):</translation>
    </message>
    <message>
        <source>Export to a calendar file</source>
        <translation>In eine Kalenderdatei exportieren</translation>
    </message>
    <message>
        <source>Import from a calendar file</source>
        <translation>Aus einer Kalenderdatei importieren</translation>
    </message>
    <message>
        <source>Power actions switch this computer off or on: another one may not want them.</source>
        <translation>Energieaktionen schalten diesen Computer aus oder an: ein anderer möchte sie vielleicht nicht.</translation>
    </message>
    <message>
        <source>Calendar Sync (CalDAV):</source>
        <translation>Kalenderabgleich (CalDAV):</translation>
    </message>
    <message>
        <source>https://server/dav/</source>
        <translation>https://server/dav/</translation>
    </message>
    <message>
        <source>kept in the desktop&apos;s secret store</source>
        <translation>im Schlüsselbund der Arbeitsumgebung verwahrt</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>&amp;Adresse:</translation>
    </message>
    <message>
        <source>&amp;User Name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>CalDAV server address</source>
        <translation>Adresse des CalDAV-Servers</translation>
    </message>
    <message>
        <source>User name on the server</source>
        <translation>Benutzername auf dem Server</translation>
    </message>
    <message>
        <source>Password on the server</source>
        <translation>Passwort auf dem Server</translation>
    </message>
    <message>
        <source>Sync with the server now</source>
        <translation>Jetzt mit dem Server abgleichen</translation>
    </message>
    <message>
        <source>Last sync</source>
        <translation>Letzter Abgleich</translation>
    </message>
    <message>
        <source>Back to the settings</source>
        <translation>Zurück zu den Einstellungen</translation>
    </message>
    <message>
        <source>iCalendar (*.ics *.ical *.ifb);;All files (*)</source>
        <translation>iCalendar (*.ics *.ical *.ifb);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>This Zentick has no calendar sync built in: the account is kept for one that has.</source>
        <translation>Dieses Zentick hat keinen Kalenderabgleich eingebaut: Das Konto bleibt für eines, das ihn hat, gespeichert.</translation>
    </message>
    <message>
        <source>Type the address of your CalDAV server to sync.</source>
        <translation>Geben Sie die Adresse Ihres CalDAV-Servers ein, um abzugleichen.</translation>
    </message>
    <message>
        <source>Syncing…</source>
        <translation>Abgleich läuft…</translation>
    </message>
    <message>
        <source>Last sync %1: %2</source>
        <translation>Letzter Abgleich %1: %2</translation>
    </message>
    <message>
        <source>Not synced yet.</source>
        <translation>Noch nicht abgeglichen.</translation>
    </message>
    <message>
        <source>No secret store of the desktop answers, so the password cannot be kept. Zentick never writes it into its own files.</source>
        <translation>Kein Schlüsselbund der Arbeitsumgebung antwortet, daher kann das Passwort nicht verwahrt werden. Zentick schreibt es nie in seine eigenen Dateien.</translation>
    </message>
    <message>
        <source>The password could not be kept in the desktop&apos;s secret store: %1</source>
        <translation>Das Passwort konnte nicht im Schlüsselbund der Arbeitsumgebung verwahrt werden: %1</translation>
    </message>
    <message>
        <source>The calendar file &quot;%1&quot; could not be written: %2. Nothing was written.</source>
        <translation>Die Kalenderdatei „%1“ konnte nicht geschrieben werden: %2. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>The alarms, birthdays, power actions and diary notes are in &quot;%1&quot;.</source>
        <translation>Die Alarme, Geburtstage, Energieaktionen und Tagebucheinträge stehen in „%1“.</translation>
    </message>
    <message>
        <source>The alarms, birthdays and diary notes are in &quot;%1&quot;.</source>
        <translation>Die Alarme, Geburtstage und Tagebucheinträge stehen in „%1“.</translation>
    </message>
    <message>
        <source>The calendar file &quot;%1&quot; could not be read: %2</source>
        <translation>Die Kalenderdatei „%1“ konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not imported: %2
Nothing was changed.</source>
        <translation>„%1“ wurde nicht importiert: %2
Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>&amp;Export…</source>
        <translation>E&amp;xportieren…</translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Importieren…</translation>
    </message>
    <message>
        <source>Export power ac&amp;tions too</source>
        <translation>Auch &amp;Energieaktionen exportieren</translation>
    </message>
    <message>
        <source>S&amp;ync Now</source>
        <translation>&amp;Jetzt abgleichen</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
</context>
<context>
    <name>CategoryPage</name>
    <message>
        <source>Category name</source>
        <translation>Name der Kategorie</translation>
    </message>
    <message>
        <source>Edit Alarm Categories</source>
        <translation>Alarmkategorien bearbeiten</translation>
    </message>
    <message>
        <source>Enter Here a New Category:</source>
        <translation>Neue Kategorie eingeben:</translation>
    </message>
    <message>
        <source>New category</source>
        <translation>Neue Kategorie</translation>
    </message>
    <message>
        <source>Existing Alarm Categories:</source>
        <translation>Vorhandene Alarmkategorien:</translation>
    </message>
    <message>
        <source>Existing alarm categories</source>
        <translation>Vorhandene Alarmkategorien</translation>
    </message>
    <message>
        <source>Rename the category</source>
        <translation>Kategorie umbenennen</translation>
    </message>
    <message>
        <source>Delete the category</source>
        <translation>Kategorie löschen</translation>
    </message>
    <message>
        <source>Save the categories</source>
        <translation>Kategorien speichern</translation>
    </message>
    <message>
        <source>Back to the alarm</source>
        <translation>Zurück zum Alarm</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>&amp;Add this Category</source>
        <translation>&amp;Kategorie hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Umbenennen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>A&amp;pply</source>
        <translation>&amp;Übernehmen</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
</context>
<context>
    <name>CommandLineRun</name>
    <message>
        <source>The running Zentick gave an answer that could not be read.</source>
        <translation>Das laufende Zentick hat eine Antwort gegeben, die nicht gelesen werden konnte.</translation>
    </message>
    <message>
        <source>Zentick runs but did not answer; nothing was changed.</source>
        <translation>Zentick läuft, hat aber nicht geantwortet; es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The data folder is being moved: start Zentick once to finish the move.</source>
        <translation>Der Datenordner wird gerade verschoben: Starten Sie Zentick einmal, um das Verschieben abzuschließen.</translation>
    </message>
    <message>
        <source>Zentick has not been set up here yet: start it once first.</source>
        <translation>Zentick ist hier noch nicht eingerichtet: Starten Sie es zuerst einmal.</translation>
    </message>
    <message>
        <source>Cannot lock the files in %1.</source>
        <translation>Die Dateien in %1 können nicht gesperrt werden.</translation>
    </message>
    <message>
        <source>A data file in %1 is damaged: start Zentick, which keeps a copy of it.</source>
        <translation>Eine Datendatei in %1 ist beschädigt: Starten Sie Zentick, es bewahrt eine Kopie davon auf.</translation>
    </message>
    <message>
        <source>No private folder for the single-instance lock.</source>
        <translation>Kein privater Ordner für die Sperre gegen einen zweiten Start.</translation>
    </message>
</context>
<context>
    <name>ConfirmationPage</name>
    <message>
        <source>Confirmation</source>
        <translation>Bestätigung</translation>
    </message>
    <message>
        <source>Back to the editor</source>
        <translation>Zurück zur Eingabe</translation>
    </message>
    <message>
        <source>Schedule it</source>
        <translation>Planen</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>ConfirmationText</name>
    <message>
        <source>The Alarm has been Scheduled for:
</source>
        <translation>Der Alarm wurde geplant für:
</translation>
    </message>
    <message>
        <source>
With the following notification text:

</source>
        <translation>
Mit folgendem Text:

</translation>
    </message>
    <message>
        <source>
The Alarm will be shown every %1 %2</source>
        <translation>
Der Alarm wird alle %1 %2 angezeigt</translation>
    </message>
    <message>
        <source>
You will be notified with sound as well</source>
        <translation>
Sie werden zusätzlich mit Ton benachrichtigt</translation>
    </message>
    <message>
        <source>
The Alarm will be bypassed if the system
is turned off at the specified Date and Time</source>
        <translation>
Der Alarm wird übersprungen, wenn der Rechner
zum angegebenen Zeitpunkt ausgeschaltet ist</translation>
    </message>
    <message>
        <source>The System will %1 at:
</source>
        <translation>Aktion „%1“ wird ausgeführt am:
</translation>
    </message>
    <message>
        <source>
This Action will take place every %1 %2
</source>
        <translation>
Diese Aktion wird alle %1 %2 ausgeführt
</translation>
    </message>
    <message>
        <source>%1 was borne at:
%2

You will be notified for the first time at:
%3</source>
        <translation>%1 wurde geboren am:
%2

Sie werden zum ersten Mal erinnert am:
%3</translation>
    </message>
    <message>
        <source>

You will be notified with sound as well.
</source>
        <translation>

Sie werden zusätzlich mit Ton benachrichtigt.
</translation>
    </message>
</context>
<context>
    <name>DataFolderRelocation</name>
    <message>
        <source>&quot;%1&quot; cannot take them (%2).</source>
        <translation>„%1“ kann sie nicht aufnehmen (%2).</translation>
    </message>
    <message>
        <source>%1 could not be moved to &quot;%2&quot; (%3); the files already moved were put back.</source>
        <translation>%1 konnte nicht nach „%2“ verschoben werden (%3); die bereits verschobenen Dateien wurden zurückgelegt.</translation>
    </message>
    <message>
        <source>The data files were not moved: %1
Nothing changed: the data folder is still &quot;%2&quot;.</source>
        <translation>Die Datendateien wurden nicht verschoben: %1
Nichts wurde geändert: Der Datenordner ist weiterhin „%2“.</translation>
    </message>
    <message>
        <source>Not every data file could be moved. These stayed in &quot;%1&quot;:</source>
        <translation>Nicht alle Datendateien konnten verschoben werden. Diese blieben in „%1“:</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already holds a file of that name, which is used from now on.</source>
        <translation>„%1“ enthält bereits eine Datei dieses Namens; sie wird ab jetzt verwendet.</translation>
    </message>
    <message>
        <source>%1; it is not used until it is moved.</source>
        <translation>%1; sie wird erst verwendet, wenn sie verschoben ist.</translation>
    </message>
</context>
<context>
    <name>DataFolders</name>
    <message>
        <source>The data folder &quot;%1&quot; was not found, so an empty one was made in its place. If your alarms are kept on a drive that is not connected, connect it and start Zentick again.</source>
        <translation>Der Datenordner „%1“ wurde nicht gefunden, daher wurde an seiner Stelle ein leerer angelegt. Liegen Ihre Alarme auf einem Laufwerk, das nicht angeschlossen ist, schließen Sie es an und starten Sie Zentick erneut.</translation>
    </message>
    <message>
        <source>it is a file, not a folder</source>
        <translation>es ist eine Datei, kein Ordner</translation>
    </message>
    <message>
        <source>The data folder &quot;%1&quot; was not found (%2), and none could be made. No alarm, address or note can be kept until it is there.</source>
        <translation>Der Datenordner „%1“ wurde nicht gefunden (%2) und konnte nicht angelegt werden. Bis er vorhanden ist, können keine Alarme, Adressen oder Notizen gespeichert werden.</translation>
    </message>
    <message>
        <source>The data folder &quot;%1&quot; cannot be used: %2. No other folder was made in its place; until this is put right, no change and no fired alarm can be saved there.</source>
        <translation>Der Datenordner „%1“ kann nicht verwendet werden: %2. Es wurde kein anderer Ordner an seiner Stelle angelegt; bis das behoben ist, können dort weder Änderungen noch ausgelöste Alarme gespeichert werden.</translation>
    </message>
    <message>
        <source>The folder of &quot;Settings.xml&quot;, &quot;%1&quot;, cannot be written (%2). Your settings and data folder are used from it, but no change to the settings can be kept.</source>
        <translation>In den Ordner von „Settings.xml“, „%1“, kann nicht geschrieben werden (%2). Ihre Einstellungen und Ihr Datenordner werden von dort verwendet, Änderungen an den Einstellungen können aber nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>DayListPage</name>
    <message>
        <source>Events of the day</source>
        <translation>Termine des Tages</translation>
    </message>
    <message>
        <source>Edit Alarms</source>
        <translation>Alarme bearbeiten</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Termin</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Edit the selected event</source>
        <translation>Ausgewählten Termin bearbeiten</translation>
    </message>
    <message>
        <source>Delete the selected event</source>
        <translation>Ausgewählten Termin löschen</translation>
    </message>
    <message>
        <source>Back to the calendar</source>
        <translation>Zurück zum Kalender</translation>
    </message>
    <message>
        <source>&amp;Edit&gt;&gt;</source>
        <translation>&amp;Bearbeiten&gt;&gt;</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
</context>
<context>
    <name>DayMonthFilterPage</name>
    <message>
        <source>December</source>
        <translation>Dezember</translation>
    </message>
    <message>
        <source>Advanced Settings</source>
        <translation>Erweiterte Einstellungen</translation>
    </message>
    <message>
        <source>Back to the editor</source>
        <translation>Zurück zur Eingabe</translation>
    </message>
    <message>
        <source>Select at least one day...</source>
        <translation>Wählen Sie mindestens einen Tag aus …</translation>
    </message>
    <message>
        <source>Select at least one month...</source>
        <translation>Wählen Sie mindestens einen Monat aus …</translation>
    </message>
    <message>
        <source>S&amp;unday</source>
        <translation>Sonn&amp;tag</translation>
    </message>
    <message>
        <source>&amp;Monday</source>
        <translation>&amp;Montag</translation>
    </message>
    <message>
        <source>&amp;Tuesday</source>
        <translation>D&amp;ienstag</translation>
    </message>
    <message>
        <source>&amp;Wednesday</source>
        <translation>Mitt&amp;woch</translation>
    </message>
    <message>
        <source>T&amp;hursday</source>
        <translation>Donn&amp;erstag</translation>
    </message>
    <message>
        <source>Fr&amp;iday</source>
        <translation>&amp;Freitag</translation>
    </message>
    <message>
        <source>&amp;Saturday</source>
        <translation>Samsta&amp;g</translation>
    </message>
    <message>
        <source>Janua&amp;ry</source>
        <translation>Janua&amp;r</translation>
    </message>
    <message>
        <source>&amp;February</source>
        <translation>Fe&amp;bruar</translation>
    </message>
    <message>
        <source>Mar&amp;ch</source>
        <translation>M&amp;ärz</translation>
    </message>
    <message>
        <source>A&amp;pril</source>
        <translation>A&amp;pril</translation>
    </message>
    <message>
        <source>Ma&amp;y</source>
        <translation>M&amp;ai</translation>
    </message>
    <message>
        <source>&amp;June</source>
        <translation>&amp;Juni</translation>
    </message>
    <message>
        <source>Ju&amp;ly</source>
        <translation>Ju&amp;li</translation>
    </message>
    <message>
        <source>Au&amp;gust</source>
        <translation>A&amp;ugust</translation>
    </message>
    <message>
        <source>S&amp;eptember</source>
        <translation>&amp;September</translation>
    </message>
    <message>
        <source>&amp;October</source>
        <translation>O&amp;ktober</translation>
    </message>
    <message>
        <source>No&amp;vember</source>
        <translation>N&amp;ovember</translation>
    </message>
    <message>
        <source>All Days Of Wee&amp;k</source>
        <translation>Alle Wo&amp;chentage</translation>
    </message>
    <message>
        <source>Only These &amp;Days</source>
        <translation>Nur an &amp;diesen Tagen</translation>
    </message>
    <message>
        <source>&amp;All Months Of The Year</source>
        <translation>Alle Monate des Ja&amp;hres</translation>
    </message>
    <message>
        <source>O&amp;nly These Months</source>
        <translation>&amp;Nur in diesen Monaten</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
</context>
<context>
    <name>DiaryNotePage</name>
    <message>
        <source>Diary note</source>
        <translation>Tagebucheintrag</translation>
    </message>
    <message>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <source>Note date</source>
        <translation>Datum des Eintrags</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Eintrag</translation>
    </message>
    <message>
        <source>Back to the diary</source>
        <translation>Zurück zum Tagebuch</translation>
    </message>
    <message>
        <source>Save the note</source>
        <translation>Eintrag speichern</translation>
    </message>
    <message>
        <source>Your Notes for: %1</source>
        <translation>Ihre Notizen für: %1</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
</context>
<context>
    <name>DiaryPage</name>
    <message>
        <source>Diary</source>
        <translation>Tagebuch</translation>
    </message>
    <message>
        <source>Select a Date to Add Your Notes</source>
        <translation>Wählen Sie ein Datum für Ihre Notizen</translation>
    </message>
    <message>
        <source>Diary date</source>
        <translation>Datum im Tagebuch</translation>
    </message>
    <message>
        <source>Diary calendar</source>
        <translation>Tagebuchkalender</translation>
    </message>
    <message>
        <source>Back to the main menu</source>
        <translation>Zurück zum Hauptmenü</translation>
    </message>
    <message>
        <source>Open the note of the date</source>
        <translation>Eintrag des Datums öffnen</translation>
    </message>
    <message>
        <source>Edit Date</source>
        <translation>Datum bearbeiten</translation>
    </message>
    <message>
        <source>Delete Entry</source>
        <translation>Eintrag löschen</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Edit&gt;&gt;</source>
        <translation>&amp;Bearbeiten&gt;&gt;</translation>
    </message>
</context>
<context>
    <name>EventListPage</name>
    <message>
        <source>Description</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Repeat Every</source>
        <translation>Wiederholung alle</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>Bypass</source>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Date Of Birth</source>
        <translation>Geburtsdatum</translation>
    </message>
    <message>
        <source>Age</source>
        <translation>Alter</translation>
    </message>
    <message>
        <source>Notify me before</source>
        <translation>Vorher erinnern</translation>
    </message>
    <message>
        <source>Delete the selected event</source>
        <translation>Ausgewählten Termin löschen</translation>
    </message>
    <message>
        <source>Edit the selected event</source>
        <translation>Ausgewählten Termin bearbeiten</translation>
    </message>
    <message>
        <source>Show the list of alarms</source>
        <translation>Liste der Alarme zeigen</translation>
    </message>
    <message>
        <source>Show the list of shut downs</source>
        <translation>Liste der geplanten Systemaktionen zeigen</translation>
    </message>
    <message>
        <source>Show the list of birthdays</source>
        <translation>Liste der Geburtstage zeigen</translation>
    </message>
    <message>
        <source>Show the list of past alarms</source>
        <translation>Liste der vergangenen Alarme zeigen</translation>
    </message>
    <message>
        <source>Back to the main menu</source>
        <translation>Zurück zum Hauptmenü</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Aktion</translation>
    </message>
    <message>
        <source>Repeat</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Edit&gt;&gt;</source>
        <translation>&amp;Bearbeiten&gt;&gt;</translation>
    </message>
    <message>
        <source>Switch to &amp;Calendar View</source>
        <translation>Zur &amp;Kalenderansicht wechseln</translation>
    </message>
    <message>
        <source>&amp;Alarms</source>
        <translation>&amp;Alarme</translation>
    </message>
    <message>
        <source>S&amp;hut Downs</source>
        <translation>&amp;Herunterfahren</translation>
    </message>
    <message>
        <source>B&amp;irthdays</source>
        <translation>&amp;Geburtstage</translation>
    </message>
    <message>
        <source>&amp;Past Alarms</source>
        <translation>&amp;Vergangene</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
</context>
<context>
    <name>EventTexts</name>
    <message>
        <source>(No Description)</source>
        <translation>(Keine Beschreibung)</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message numerus="yes">
        <source>%n Minutes</source>
        <translation>
            <numerusform>%n Minute</numerusform>
            <numerusform>%n Minuten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Hours</source>
        <translation>
            <numerusform>%n Stunde</numerusform>
            <numerusform>%n Stunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Days</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Weeks</source>
        <translation>
            <numerusform>%n Woche</numerusform>
            <numerusform>%n Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Months</source>
        <translation>
            <numerusform>%n Monat</numerusform>
            <numerusform>%n Monate</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n Years</source>
        <translation>
            <numerusform>%n Jahr</numerusform>
            <numerusform>%n Jahre</numerusform>
        </translation>
    </message>
    <message>
        <source>%1yrs,%2m,%3d.</source>
        <translation>%1 J., %2 M., %3 T.</translation>
    </message>
    <message>
        <source>%1&apos;s Birthday</source>
        <translation>Geburtstag von %1</translation>
    </message>
    <message numerus="yes">
        <source>%1&apos;s Birthday in %n days</source>
        <translation>
            <numerusform>Geburtstag von %1 in %n Tag</numerusform>
            <numerusform>Geburtstag von %1 in %n Tagen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Firing</name>
    <message>
        <source>This Alarm scheduled for:
%1</source>
        <translation>Dieser Alarm war geplant für:
%1</translation>
    </message>
    <message>
        <source>%1 is now
%2 Years Old.</source>
        <translation>%1 ist jetzt
%2 Jahre alt.</translation>
    </message>
    <message numerus="yes">
        <source>%1 will be
%2 Years Old
In %n days.</source>
        <translation>
            <numerusform>%1 wird
%2 Jahre alt,
in %n Tag.</numerusform>
            <numerusform>%1 wird
%2 Jahre alt,
in %n Tagen.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ListActions</name>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>MainMenuPage</name>
    <message>
        <source>Main Menu</source>
        <translation>Hauptmenü</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>About Zentick...</source>
        <translation>Über Zentick …</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Nach links</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Nach rechts</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Opens %1</source>
        <translation>Öffnet %1</translation>
    </message>
    <message>
        <source>New &amp;Alarm</source>
        <translation>&amp;Neuer Alarm</translation>
    </message>
    <message>
        <source>&amp;Schedule Shut Down</source>
        <translation>&amp;Herunterfahren planen</translation>
    </message>
    <message>
        <source>Add &amp;Birthday</source>
        <translation>&amp;Geburtstag hinzufügen</translation>
    </message>
    <message>
        <source>&amp;View/Edit Events</source>
        <translation>Termine &amp;ansehen/bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Timer-Countdown</source>
        <translation>&amp;Stoppuhr/Countdown</translation>
    </message>
    <message>
        <source>Add&amp;ress Book</source>
        <translation>A&amp;dressbuch</translation>
    </message>
    <message>
        <source>&amp;Diary</source>
        <translation>&amp;Tagebuch</translation>
    </message>
    <message>
        <source>S&amp;ettings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Next&gt;&gt;</source>
        <translation>&amp;Weiter&gt;&gt;</translation>
    </message>
</context>
<context>
    <name>MomentChoice</name>
    <message>
        <source>At:</source>
        <translation>Um:</translation>
    </message>
    <message>
        <source>After:</source>
        <translation>Nach:</translation>
    </message>
    <message>
        <source>Hours from now</source>
        <translation>Stunden ab jetzt</translation>
    </message>
    <message>
        <source>Hours and</source>
        <translation>Stunden und</translation>
    </message>
    <message>
        <source>Minutes from now</source>
        <translation>Minuten ab jetzt</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minuten</translation>
    </message>
</context>
<context>
    <name>MonthCalendar</name>
    <message>
        <source>Previous month</source>
        <translation>Vorheriger Monat</translation>
    </message>
    <message>
        <source>Next month</source>
        <translation>Nächster Monat</translation>
    </message>
</context>
<context>
    <name>NetModuleLoader</name>
    <message>
        <source>%1 was not found</source>
        <translation>%1 wurde nicht gefunden</translation>
    </message>
    <message>
        <source>Zentick&apos;s network module could not be loaded (%1); reinstall Zentick.</source>
        <translation>Das Netzwerkmodul von Zentick konnte nicht geladen werden (%1); installieren Sie Zentick neu.</translation>
    </message>
</context>
<context>
    <name>NotificationWindows</name>
    <message>
        <source>Show</source>
        <translation>Zeigen</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
</context>
<context>
    <name>PastAlarmListPage</name>
    <message>
        <source>Past Alarms</source>
        <translation>Vergangene Alarme</translation>
    </message>
</context>
<context>
    <name>PowerAction</name>
    <message>
        <source>Shut Down</source>
        <translation>Herunterfahren</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Neu starten</translation>
    </message>
    <message>
        <source>Log Off</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>Hibernate</source>
        <translation>Ruhezustand</translation>
    </message>
    <message>
        <source>Stand By</source>
        <translation>Bereitschaft</translation>
    </message>
    <message>
        <source>Shut Down Now</source>
        <translation>Jetzt herunterfahren</translation>
    </message>
    <message>
        <source>Restart Now</source>
        <translation>Jetzt neu starten</translation>
    </message>
    <message>
        <source>Log Off Now</source>
        <translation>Jetzt abmelden</translation>
    </message>
    <message>
        <source>Hibernate Now</source>
        <translation>Jetzt Ruhezustand</translation>
    </message>
    <message>
        <source>Stand By Now</source>
        <translation>Jetzt Bereitschaft</translation>
    </message>
</context>
<context>
    <name>PowerActionEditorPage</name>
    <message>
        <source>Scheduled Shut Down</source>
        <translation>Geplantes Herunterfahren</translation>
    </message>
    <message>
        <source>Choose Action:</source>
        <translation>Aktion wählen:</translation>
    </message>
    <message>
        <source>Action date</source>
        <translation>Datum der Aktion</translation>
    </message>
    <message>
        <source>Action time</source>
        <translation>Uhrzeit der Aktion</translation>
    </message>
    <message>
        <source>Repetition count</source>
        <translation>Anzahl für die Wiederholung</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Weeks</source>
        <translation>Wochen</translation>
    </message>
    <message>
        <source>Repetition unit</source>
        <translation>Einheit der Wiederholung</translation>
    </message>
    <message>
        <source>Advanced: days of the week and months</source>
        <translation>Erweitert: Wochentage und Monate</translation>
    </message>
    <message>
        <source>Invalid Date or Time.</source>
        <translation>Ungültiges Datum oder ungültige Uhrzeit.</translation>
    </message>
    <message>
        <source>&amp;Shut Down</source>
        <translation>&amp;Herunterfahren</translation>
    </message>
    <message>
        <source>&amp;Restart</source>
        <translation>Neu &amp;starten</translation>
    </message>
    <message>
        <source>&amp;Log Off</source>
        <translation>&amp;Abmelden</translation>
    </message>
    <message>
        <source>&amp;Hibernate</source>
        <translation>&amp;Ruhezustand</translation>
    </message>
    <message>
        <source>Stand B&amp;y</source>
        <translation>&amp;Bereitschaft</translation>
    </message>
    <message>
        <source>Alarm &amp;at:</source>
        <translation>Alarm &amp;um:</translation>
    </message>
    <message>
        <source>or A&amp;fter:</source>
        <translation>oder &amp;nach:</translation>
    </message>
    <message>
        <source>Enable Re&amp;petition every:</source>
        <translation>Wi&amp;ederholen alle:</translation>
    </message>
    <message>
        <source>A&amp;dvanced</source>
        <translation>Erwe&amp;itert</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;Next&gt;&gt;</source>
        <translation>&amp;Weiter&gt;&gt;</translation>
    </message>
    <message>
        <source>%1 system &amp;at:</source>
        <translation>%1 &amp;um:</translation>
    </message>
    <message>
        <source>%1 system a&amp;fter:</source>
        <translation>%1 &amp;nach:</translation>
    </message>
</context>
<context>
    <name>PowerActionListPage</name>
    <message>
        <source>Shut Downs</source>
        <translation>Geplante Systemaktionen</translation>
    </message>
</context>
<context>
    <name>PowerBackend</name>
    <message>
        <source>Failed to take Privilegies</source>
        <translation>Die nötigen Rechte konnten nicht erlangt werden</translation>
    </message>
    <message>
        <source>Failed to %1 System</source>
        <translation>„%1“ ist fehlgeschlagen</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Skip Next Occurrence</source>
        <translation>Nächsten Termin überspringen</translation>
    </message>
</context>
<context>
    <name>Script</name>
    <message>
        <source>Zentick is not ready.</source>
        <translation>Zentick ist nicht bereit.</translation>
    </message>
    <message>
        <source>Unknown unit &quot;%1&quot;: use minutes, hours, days, weeks, months or years.</source>
        <translation>Unbekannte Einheit „%1“: Verwenden Sie minutes, hours, days, weeks, months oder years.</translation>
    </message>
    <message>
        <source>The alarm has no text.</source>
        <translation>Der Alarm hat keinen Text.</translation>
    </message>
    <message>
        <source>--add-alarm needs --at &quot;DATE TIME&quot;.</source>
        <translation>--add-alarm braucht --at &quot;DATUM ZEIT&quot;.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no date and time: write it as 2026-05-04 09:30 or as %2.</source>
        <translation>„%1“ ist kein Datum mit Uhrzeit: Schreiben Sie es als 2026-05-04 09:30 oder als %2.</translation>
    </message>
    <message>
        <source>The repetition is not one Zentick knows.</source>
        <translation>Diese Wiederholung kennt Zentick nicht.</translation>
    </message>
    <message>
        <source>%1 has passed: a one-time alarm must lie ahead.</source>
        <translation>%1 ist vorbei: Ein einmaliger Alarm muss in der Zukunft liegen.</translation>
    </message>
    <message>
        <source>The birthday has no name.</source>
        <translation>Der Geburtstag hat keinen Namen.</translation>
    </message>
    <message>
        <source>--add-birthday needs --born DATE.</source>
        <translation>--add-birthday braucht --born DATUM.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no date: write it as 1980-05-10 or as %2.</source>
        <translation>„%1“ ist kein Datum: Schreiben Sie es als 1980-05-10 oder als %2.</translation>
    </message>
    <message>
        <source>%1 lies in the future.</source>
        <translation>%1 liegt in der Zukunft.</translation>
    </message>
    <message>
        <source>The notice must be from 0 to 365 days.</source>
        <translation>Die Vorankündigung muss zwischen 0 und 365 Tagen liegen.</translation>
    </message>
    <message>
        <source>There is no category &quot;%1&quot;; there are: %2.</source>
        <translation>Es gibt keine Kategorie „%1“; vorhanden sind: %2.</translation>
    </message>
    <message>
        <source>There is no event &quot;%1&quot;; zentick --list shows them.</source>
        <translation>Es gibt keinen Termin „%1“; zentick --list zeigt alle.</translation>
    </message>
    <message>
        <source>Deleted event %1.
</source>
        <translation>Termin %1 gelöscht.
</translation>
    </message>
    <message>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Exported to %1.
</source>
        <translation>Exportiert nach %1.
</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was not imported: %2</source>
        <translation>„%1“ wurde nicht importiert: %2</translation>
    </message>
    <message>
        <source>The data files are not open.</source>
        <translation>Die Datendateien sind nicht geöffnet.</translation>
    </message>
    <message>
        <source>Nothing to do: zentick --help lists what can be asked for.</source>
        <translation>Nichts zu tun: zentick --help zeigt, was möglich ist.</translation>
    </message>
    <message>
        <source>%1 and %2 cannot be asked for together.</source>
        <translation>%1 und %2 können nicht zusammen verlangt werden.</translation>
    </message>
    <message>
        <source>%1 needs a value.</source>
        <translation>%1 braucht einen Wert.</translation>
    </message>
    <message>
        <source>Unknown option &quot;%1&quot;; zentick --help lists them.</source>
        <translation>Unbekannte Option „%1“; zentick --help zeigt alle.</translation>
    </message>
    <message>
        <source>%1 is given twice.</source>
        <translation>%1 ist doppelt angegeben.</translation>
    </message>
    <message>
        <source>--repeat needs a count and a unit, for example --repeat 2 weeks.</source>
        <translation>--repeat braucht eine Anzahl und eine Einheit, zum Beispiel --repeat 2 weeks.</translation>
    </message>
    <message>
        <source>The repetition count &quot;%1&quot; is not a number from 1 to 9999.</source>
        <translation>Die Anzahl der Wiederholung „%1“ ist keine Zahl von 1 bis 9999.</translation>
    </message>
    <message>
        <source>The notice &quot;%1&quot; is not a number of days from 0 to 365.</source>
        <translation>Die Vorankündigung „%1“ ist keine Zahl von Tagen von 0 bis 365.</translation>
    </message>
    <message>
        <source>%1 does not go with %2.</source>
        <translation>%1 passt nicht zu %2.</translation>
    </message>
    <message>
        <source>Usage: zentick [-h | -t]
       zentick --add-alarm TEXT --at &quot;DATE TIME&quot; [--repeat N UNIT] [--no-sound] [--category NAME]
       zentick --add-birthday NAME --born DATE [--notice DAYS] [--no-sound]
       zentick --list [--json]
       zentick --delete SECTION
       zentick --export FILE.ics [--power-actions]
       zentick --import FILE.ics

  -h                start with the main window hidden (a running instance shows its window)
  -t                end the running instance
  --add-alarm TEXT  add an alarm showing TEXT (a line break in TEXT starts a new line)
  --at &quot;DATE TIME&quot;  when: ISO 8601 (2026-05-04 09:30) or the short format of your locale
  --repeat N UNIT   repeat every N minutes, hours, days, weeks, months or years
  --no-sound        show the reminder without playing the melody
  --category NAME   file the alarm under NAME (General unless given; the name must exist)
  --add-birthday NAME  add a yearly birthday greeting for NAME
  --born DATE       date of birth, ISO 8601 (1980-05-10) or the locale&apos;s short date
  --notice DAYS     also greet DAYS days before the birthday
  --list            every event: section, kind, next moment and text; --json as a JSON array
  --delete SECTION  delete the event of that section (an alarm goes to the past alarms)
  --export FILE     write the alarms, birthdays and diary notes as iCalendar (RFC 5545);
                    --power-actions adds the power actions
  --import FILE     add the events and notes of an iCalendar file; nothing is replaced
  --help            this text

With Zentick running, the request goes to it; otherwise the files are changed directly.
Exit status: 0 done, 1 the files could not be read or saved, 2 the request was refused
(nothing is written then).
</source>
        <translation>Aufruf: zentick [-h | -t]
       zentick --add-alarm TEXT --at &quot;DATUM ZEIT&quot; [--repeat N EINHEIT] [--no-sound] [--category NAME]
       zentick --add-birthday NAME --born DATUM [--notice TAGE] [--no-sound]
       zentick --list [--json]
       zentick --delete ABSCHNITT
       zentick --export DATEI.ics [--power-actions]
       zentick --import DATEI.ics

  -h                mit verborgenem Hauptfenster starten (ein laufendes Zentick zeigt sein Fenster)
  -t                das laufende Zentick beenden
  --add-alarm TEXT  einen Alarm hinzufügen, der TEXT zeigt (ein Zeilenumbruch in TEXT beginnt eine neue Zeile)
  --at &quot;DATUM ZEIT&quot; wann: ISO 8601 (2026-05-04 09:30) oder das kurze Format Ihres Gebietsschemas
  --repeat N EINHEIT  alle N minutes, hours, days, weeks, months oder years wiederholen
  --no-sound        die Erinnerung zeigen, ohne die Melodie zu spielen
  --category NAME   den Alarm unter NAME einordnen (sonst General; die Kategorie muss vorhanden sein)
  --add-birthday NAME  einen jährlichen Geburtstagsgruß für NAME hinzufügen
  --born DATUM      Geburtsdatum, ISO 8601 (1980-05-10) oder das kurze Datum des Gebietsschemas
  --notice TAGE     auch TAGE Tage vor dem Geburtstag grüßen
  --list            alle Termine: Abschnitt, Art, nächster Zeitpunkt und Text; --json als JSON-Array
  --delete ABSCHNITT  den Termin dieses Abschnitts löschen (ein Alarm kommt zu den vergangenen Alarmen)
  --export DATEI    die Alarme, Geburtstage und Tagebucheinträge als iCalendar (RFC 5545) schreiben;
                    --power-actions nimmt die Energieaktionen hinzu
  --import DATEI    die Termine und Einträge einer iCalendar-Datei hinzufügen; nichts wird ersetzt
  --help            dieser Text

Läuft Zentick, geht die Anfrage an es; sonst werden die Dateien direkt geändert.
Rückgabewert: 0 erledigt, 1 die Dateien konnten nicht gelesen oder gespeichert werden, 2 die Anfrage wurde
abgelehnt (dann wird nichts geschrieben).
</translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Switch the tray icon</source>
        <translation>Symbol im Infobereich umschalten</translation>
    </message>
    <message>
        <source>Start Zentick when I log in</source>
        <translation>Zentick bei der Anmeldung starten</translation>
    </message>
    <message>
        <source>Alarm Sound:</source>
        <translation>Alarmton:</translation>
    </message>
    <message>
        <source>Sound file</source>
        <translation>Tondatei</translation>
    </message>
    <message>
        <source>Choose a sound file</source>
        <translation>Tondatei auswählen</translation>
    </message>
    <message>
        <source>Change Alarms&apos; Directory:</source>
        <translation>Datenordner ändern:</translation>
    </message>
    <message>
        <source>Data folder</source>
        <translation>Datenordner</translation>
    </message>
    <message>
        <source>Choose the data folder</source>
        <translation>Datenordner auswählen</translation>
    </message>
    <message>
        <source>Back to the main menu</source>
        <translation>Zurück zum Hauptmenü</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Start Zentick when I log in: on</source>
        <translation>Zentick bei der Anmeldung starten: an</translation>
    </message>
    <message>
        <source>Start Zentick when I log in: off</source>
        <translation>Zentick bei der Anmeldung starten: aus</translation>
    </message>
    <message>
        <source>Zentick cannot be set to start when you log in.</source>
        <translation>Zentick kann nicht so eingestellt werden, dass es bei der Anmeldung startet.</translation>
    </message>
    <message>
        <source>Zentick cannot be kept from starting when you log in.</source>
        <translation>Der Start von Zentick bei der Anmeldung kann nicht abgeschaltet werden.</translation>
    </message>
    <message>
        <source>Failed to Create the Directory</source>
        <translation>Der Ordner konnte nicht angelegt werden</translation>
    </message>
    <message>
        <source>The data files were not moved: Zentick, started from another folder, works on the files in &quot;%1&quot;. Nothing changed.</source>
        <translation>Die Datendateien wurden nicht verschoben: Ein aus einem anderen Ordner gestartetes Zentick arbeitet mit den Dateien in „%1“. Nichts wurde geändert.</translation>
    </message>
    <message>
        <source>Desktop notices beside the alarm windows</source>
        <translation>Desktop-Benachrichtigungen neben den Alarmfenstern</translation>
    </message>
    <message>
        <source>Each alarm, birthday and countdown window is also announced on the desktop, so it is seen where a window cannot come to the front.</source>
        <translation>Jedes Alarm-, Geburtstags- und Countdown-Fenster wird auch als Benachrichtigung gemeldet, damit es gesehen wird, wo ein Fenster nicht nach vorn kommen kann.</translation>
    </message>
    <message>
        <source>Disable &amp;Tray</source>
        <translation>&amp;Symbol im Infobereich aus</translation>
    </message>
    <message>
        <source>&amp;Use Default.</source>
        <translation>Standard &amp;verwenden</translation>
    </message>
    <message>
        <source>&amp;Custom:</source>
        <translation>&amp;Eigener:</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Übernehmen</translation>
    </message>
    <message>
        <source>Desktop &amp;notices</source>
        <translation>&amp;Desktop-Benachrichtigungen</translation>
    </message>
    <message>
        <source>Ca&amp;lendars and Sync…</source>
        <translation>&amp;Kalender und Abgleich…</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
    <message>
        <source>Enable &amp;Tray</source>
        <translation>&amp;Symbol im Infobereich an</translation>
    </message>
</context>
<context>
    <name>SortHeader</name>
    <message>
        <source>Column headers</source>
        <translation>Spaltenköpfe</translation>
    </message>
    <message>
        <source>Left and Right choose a column; Space or Enter sorts the list by it, again turns the order round</source>
        <translation>Links und Rechts wählen eine Spalte; Leertaste oder Eingabetaste sortieren die Liste danach, ein zweites Mal kehrt die Reihenfolge um</translation>
    </message>
</context>
<context>
    <name>SoundingNoticeWindow</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Stop Sound</source>
        <translation>&amp;Ton aus</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Stop Sound</source>
        <translation>Ton aus</translation>
    </message>
    <message>
        <source>Snooze length</source>
        <translation>Schlummerdauer</translation>
    </message>
    <message>
        <source>5 minutes</source>
        <translation>5 Minuten</translation>
    </message>
    <message>
        <source>10 minutes</source>
        <translation>10 Minuten</translation>
    </message>
    <message>
        <source>15 minutes</source>
        <translation>15 Minuten</translation>
    </message>
    <message>
        <source>30 minutes</source>
        <translation>30 Minuten</translation>
    </message>
    <message>
        <source>1 hour</source>
        <translation>1 Stunde</translation>
    </message>
    <message>
        <source>until</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>Snooze until</source>
        <translation>Schlummern bis</translation>
    </message>
    <message>
        <source>Shows this reminder again after the length chosen</source>
        <translation>Zeigt diese Erinnerung nach der gewählten Dauer noch einmal</translation>
    </message>
    <message>
        <source>That moment has passed already: choose a later one to snooze until.</source>
        <translation>Dieser Zeitpunkt ist schon vorbei: Wählen Sie einen späteren, bis zu dem geschlummert wird.</translation>
    </message>
    <message>
        <source>Snoo&amp;ze</source>
        <translation>&amp;Schlummern</translation>
    </message>
</context>
<context>
    <name>SyncController</name>
    <message numerus="yes">
        <source>The sync did not end within %n minute(s) and was stopped.</source>
        <translation>
            <numerusform>Der Abgleich endete nicht innerhalb von %n Minute und wurde angehalten.</numerusform>
            <numerusform>Der Abgleich endete nicht innerhalb von %n Minuten und wurde angehalten.</numerusform>
        </translation>
    </message>
    <message>
        <source>The sync did not end when it was stopped and was left behind.</source>
        <translation>Der Abgleich endete nicht, als er angehalten wurde, und wurde zurückgelassen.</translation>
    </message>
    <message>
        <source>The password could not be read from the desktop&apos;s secret store: %1</source>
        <translation>Das Passwort konnte nicht aus dem Schlüsselbund der Arbeitsumgebung gelesen werden: %1</translation>
    </message>
    <message>
        <source>These records were changed here and on the server since the last sync. Both versions are kept, so you can choose:
%1</source>
        <translation>Diese Einträge wurden seit dem letzten Abgleich hier und auf dem Server geändert. Beide Fassungen bleiben erhalten, damit Sie wählen können:
%1</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>What could be read from it is loaded: %1.</source>
        <translation>Was daraus gelesen werden konnte, ist geladen: %1.</translation>
    </message>
    <message>
        <source>1 record</source>
        <translation>1 Eintrag</translation>
    </message>
    <message>
        <source>What could be read from it is loaded, the data folder &quot;%1&quot; with it.</source>
        <translation>Was daraus gelesen werden konnte, ist geladen, darunter der Datenordner „%1“.</translation>
    </message>
    <message>
        <source>What could be read from it is loaded, but no data folder: &quot;%1&quot; is used.</source>
        <translation>Was daraus gelesen werden konnte, ist geladen, aber kein Datenordner: „%1“ wird verwendet.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; was damaged. %2 The file as it was is kept as &quot;%3&quot;.</source>
        <translation>Die Datei „%1“ war beschädigt. %2 Die Datei, wie sie war, ist als „%3“ aufbewahrt.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is damaged. %2 No copy of it could be made (%3); it is not saved over until a copy can be made.</source>
        <translation>Die Datei „%1“ ist beschädigt. %2 Es konnte keine Kopie davon angelegt werden (%3); sie wird erst überschrieben, wenn eine Kopie möglich ist.</translation>
    </message>
    <message numerus="yes">
        <source>%n records</source>
        <translation>
            <numerusform>%n Eintrag</numerusform>
            <numerusform>%n Einträge</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <source>Disable &amp;Repetition</source>
        <translation>&amp;Wiederholung beenden</translation>
    </message>
    <message>
        <source>Passes over the next occurrence of this alarm and keeps it on</source>
        <translation>Überspringt den nächsten Termin dieses Alarms und lässt ihn eingeschaltet</translation>
    </message>
    <message>
        <source>Skip &amp;Next</source>
        <translation>&amp;Nächsten überspringen</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Shutting Down...</source>
        <translation>Wird heruntergefahren …</translation>
    </message>
    <message>
        <source>Restarting...</source>
        <translation>Wird neu gestartet …</translation>
    </message>
    <message>
        <source>Logging Off...</source>
        <translation>Abmeldung läuft …</translation>
    </message>
    <message>
        <source>Hibernating...</source>
        <translation>Ruhezustand wird eingeleitet …</translation>
    </message>
    <message>
        <source>Standing By...</source>
        <translation>Bereitschaft wird eingeleitet …</translation>
    </message>
    <message>
        <source>Zentick...</source>
        <translation>Zentick …</translation>
    </message>
    <message>
        <source>Shut Down Now</source>
        <translation>Jetzt herunterfahren</translation>
    </message>
    <message>
        <source>System will %1
Automatically in %2 sec</source>
        <translation>%1
automatisch in %2 s</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TForm4</name>
    <message>
        <source>Birthday</source>
        <translation>Geburtstag</translation>
    </message>
</context>
<context>
    <name>TForm6</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>&quot;Zentick&quot; noticed that the system clock has changed. This Action may cause the alarms to malfunction. Do you want to disable all alarms until the system restarts and be sure that the system clock is correct?</source>
        <translation>„Zentick“ hat bemerkt, dass die Systemuhr verstellt wurde. Dadurch können Alarme falsch ausgelöst werden. Möchten Sie alle Alarme bis zum nächsten Systemstart abschalten und sich vergewissern, dass die Systemuhr richtig geht?</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
</context>
<context>
    <name>TForm7</name>
    <message>
        <source>Timer</source>
        <translation>Stoppuhr</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Countdown</source>
        <translation>Countdown</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Fortsetzen</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Zurücksetzen</translation>
    </message>
</context>
<context>
    <name>TForm8</name>
    <message>
        <source>Update Checking</source>
        <translation>Suche nach Aktualisierungen</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Checking for Updates. Please wait...</source>
        <translation>Suche nach Aktualisierungen. Bitte warten …</translation>
    </message>
    <message>
        <source>Opens the product page</source>
        <translation>Öffnet die Produktseite</translation>
    </message>
    <message>
        <source>Connection Error. Try again Later.</source>
        <translation>Verbindungsfehler. Bitte versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>Your version is up to date</source>
        <translation>Ihre Version ist aktuell</translation>
    </message>
    <message>
        <source>Zentick %1 is now available! Visit Website.</source>
        <translation>Zentick %1 ist verfügbar! Zur Website.</translation>
    </message>
    <message>
        <source>The network module is missing.</source>
        <translation>Das Netzwerkmodul fehlt.</translation>
    </message>
</context>
<context>
    <name>TMsgfrm</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>TimerPage</name>
    <message>
        <source>Timer - CountDown</source>
        <translation>Stoppuhr – Countdown</translation>
    </message>
    <message>
        <source>Countdown days</source>
        <translation>Countdown-Tage</translation>
    </message>
    <message>
        <source>Countdown hours</source>
        <translation>Countdown-Stunden</translation>
    </message>
    <message>
        <source>Countdown minutes</source>
        <translation>Countdown-Minuten</translation>
    </message>
    <message>
        <source>Countdown seconds</source>
        <translation>Countdown-Sekunden</translation>
    </message>
    <message>
        <source>Days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>Std.</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min.</translation>
    </message>
    <message>
        <source>Sec</source>
        <translation>Sek.</translation>
    </message>
    <message>
        <source>No Countdown Set.</source>
        <translation>Kein Countdown eingestellt.</translation>
    </message>
    <message>
        <source>New &amp;Timer.</source>
        <translation>Neue &amp;Stoppuhr</translation>
    </message>
    <message>
        <source>New Count&amp;Down:</source>
        <translation>&amp;Neuer Countdown:</translation>
    </message>
    <message>
        <source>Notify me with &amp;Sound on Expiration</source>
        <translation>&amp;Bei Ablauf mit Ton benachrichtigen</translation>
    </message>
    <message>
        <source>&lt;&lt;&amp;Back</source>
        <translation>&lt;&lt;&amp;Zurück</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>TrayController</name>
    <message>
        <source>Main Menu</source>
        <translation>Hauptmenü</translation>
    </message>
    <message>
        <source>New Alarm</source>
        <translation>Neuer Alarm</translation>
    </message>
    <message>
        <source>Scheduled Shut Down</source>
        <translation>Geplantes Herunterfahren</translation>
    </message>
    <message>
        <source>Add Birthday</source>
        <translation>Geburtstag hinzufügen</translation>
    </message>
    <message>
        <source>View/Edit Alarms</source>
        <translation>Alarme ansehen/bearbeiten</translation>
    </message>
    <message>
        <source>Timer - Countdown</source>
        <translation>Stoppuhr – Countdown</translation>
    </message>
    <message>
        <source>Address Book</source>
        <translation>Adressbuch</translation>
    </message>
    <message>
        <source>Diary</source>
        <translation>Tagebuch</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Disable Tray</source>
        <translation>Symbol im Infobereich aus</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Cancel Snooze</source>
        <translation>Schlummern abbrechen</translation>
    </message>
</context>
<context>
    <name>TrayHint</name>
    <message>
        <source>No Events for Today</source>
        <translation>Heute keine Termine</translation>
    </message>
    <message>
        <source>Events for Today:
%1</source>
        <translation>Termine für heute:
%1</translation>
    </message>
    <message>
        <source>Snoozed:</source>
        <translation>Schlummert:</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Zentick already runs elsewhere (in another session) on the same files, and could not be reached from here.</source>
        <translation>Zentick läuft bereits an anderer Stelle (in einer anderen Sitzung) mit denselben Dateien und ist von hier aus nicht erreichbar.</translation>
    </message>
    <message>
        <source>Zentick cannot start: it found no private folder for its single-instance lock.</source>
        <translation>Zentick kann nicht starten: Es wurde kein privater Ordner für die Sperre gegen einen zweiten Start gefunden.</translation>
    </message>
    <message>
        <source>the running instance did not take the request to end (its answer was awaited for %1 seconds) and is still running.</source>
        <translation>das laufende Zentick hat die Aufforderung zum Beenden nicht angenommen (auf seine Antwort wurde %1 Sekunden gewartet) und läuft weiter.</translation>
    </message>
</context>
</TS>
