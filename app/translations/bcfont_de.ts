<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BatchFiles</name>
    <message>
        <location filename="../BatchFiles.cpp" line="14"/>
        <source>Could not read “%1”: %2.</source>
        <translation>„%1“ ließ sich nicht lesen: %2.</translation>
    </message>
    <message>
        <location filename="../BatchFiles.cpp" line="24"/>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <location filename="../BatchFiles.cpp" line="26"/>
        <source>it is larger than 64 MB</source>
        <translation>sie ist größer als 64 MB</translation>
    </message>
    <message>
        <location filename="../BatchFiles.cpp" line="37"/>
        <source>Could not save: %1.</source>
        <translation>Nicht gespeichert: %1.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../AppSettings.cpp" line="64"/>
        <source>Barcode font encoder</source>
        <translation>Barcode-Font-Encoder</translation>
    </message>
    <message>
        <location filename="../AppSettings.cpp" line="69"/>
        <source>Symbology: its number or name (ean8, ean13, code128, ...).</source>
        <translation>Symbologie: ihre Nummer oder ihr Name (ean8, ean13, code128, ...).</translation>
    </message>
    <message>
        <location filename="../AppSettings.cpp" line="74"/>
        <source>EAN-13 add-on of 2 or 5 digits.</source>
        <translation>EAN-13-Zusatzcode mit 2 oder 5 Ziffern.</translation>
    </message>
    <message>
        <location filename="../AppSettings.cpp" line="77"/>
        <source>Leave out the optional check character.</source>
        <translation>Das optionale Prüfzeichen weglassen.</translation>
    </message>
    <message>
        <location filename="../AppSettings.cpp" line="80"/>
        <source>The data to encode.</source>
        <translation>Die zu codierenden Daten.</translation>
    </message>
    <message>
        <location filename="../AppSettings.cpp" line="86"/>
        <source>Give the data as one argument; quote it if it holds spaces.</source>
        <translation>Die Daten als ein Argument angeben; mit Leerzeichen in Anführungszeichen setzen.</translation>
    </message>
    <message>
        <location filename="../AppSettings.cpp" line="101"/>
        <source>Unknown symbology “%1”; bcfont types lists them.</source>
        <translation>Unbekannte Symbologie „%1“; bcfont types listet sie auf.</translation>
    </message>
    <message>
        <location filename="../AppSettings.cpp" line="109"/>
        <source>--addon is for EAN-13 only.</source>
        <translation>--addon gibt es nur für EAN-13.</translation>
    </message>
</context>
<context>
    <name>Notice</name>
    <message>
        <location filename="../NoticeTexts.h" line="27"/>
        <source>n/a</source>
        <translation>k. A.</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="22"/>
        <source>Scanners will not read this symbol: Code 128 requires its check character.</source>
        <translation>Scanner lesen dieses Symbol nicht: Code 128 verlangt sein Prüfzeichen.</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="23"/>
        <source>Batch: scanners will not read these symbols: Code 128 requires its check character.</source>
        <translation>Stapel: Scanner lesen diese Symbole nicht: Code 128 verlangt sein Prüfzeichen.</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="25"/>
        <source>Font “%1” is not installed — the preview cannot draw the bars.</source>
        <translation>Die Schrift „%1“ ist nicht installiert – die Vorschau kann die Striche nicht zeichnen.</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="28"/>
        <source>the add-on needs %1 digits, got %2; it is left out</source>
        <translation>der Zusatzcode braucht %1 Ziffern, hat %2; er wird weggelassen</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="31"/>
        <source>the brackets are encoded as data: for AIs in brackets choose GS1-128</source>
        <translation>die Klammern werden als Daten codiert: für AIs in Klammern wählen Sie GS1-128</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="32"/>
        <source>“%1” cannot be encoded: it is not a Mac OS Roman character</source>
        <translation>„%1“ lässt sich nicht codieren: kein Zeichen von Mac OS Roman</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="33"/>
        <source>the data is longer than %1 bytes</source>
        <translation>die Daten sind länger als %1 Bytes</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="34"/>
        <source>Nothing was copied: %1</source>
        <translation>Nichts kopiert: %1</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="35"/>
        <source>Nothing was printed: %1</source>
        <translation>Nichts gedruckt: %1</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="36"/>
        <source>Nothing was exported: %1</source>
        <translation>Nichts exportiert: %1</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="37"/>
        <source>The barcode was not exported: %1.</source>
        <translation>Der Barcode wurde nicht exportiert: %1.</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="38"/>
        <source>Copied. Other programs show plain letters until bcfont&apos;s fonts are installed for them.</source>
        <translation>Kopiert. Andere Programme zeigen nur Buchstaben, bis die Schriften von bcfont für sie installiert sind.</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="41"/>
        <source>bcfont&apos;s fonts are installed in %1 for other programs.</source>
        <translation>Die Schriften von bcfont sind für andere Programme in %1 installiert.</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="43"/>
        <source>Nothing was saved: line %1, character %2 of the output holds a character that Mac OS Roman cannot store.</source>
        <translation>Nichts gespeichert: Zeile %1, Zeichen %2 der Ausgabe ist ein Zeichen, das Mac OS Roman nicht speichern kann.</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="48"/>
        <source>“%1” is not a text file: it contains NUL bytes.</source>
        <translation>„%1“ ist keine Textdatei: sie enthält NUL-Bytes.</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="50"/>
        <source>“%1” is not UTF-8 text; read it as Mac OS Roman.</source>
        <translation>„%1“ ist kein UTF-8-Text; als Mac OS Roman lesen.</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="54"/>
        <source>… and %1 more rejected lines</source>
        <translation>… und %1 weitere abgelehnte Zeilen</translation>
    </message>
    <message>
        <source>line %1, note: %2</source>
        <translation>Zeile %1, Hinweis: %2</translation>
    </message>
    <message>
        <source>“%1”: %2. Replace it anyway?</source>
        <translation>„%1“: %2. Trotzdem ersetzen?</translation>
    </message>
    <message>
        <source>Nothing was saved: the output is empty. Convert the input first.</source>
        <translation>Nichts gespeichert: die Ausgabe ist leer. Zuerst die Eingabe umwandeln.</translation>
    </message>
    <message>
        <source>%1 — converted again with %2</source>
        <translation>%1 — erneut umgewandelt mit %2</translation>
    </message>
    <message>
        <source>%1 — converted again without %2</source>
        <translation>%1 — erneut umgewandelt ohne %2</translation>
    </message>
    <message>
        <source>%1 — converted again as %2</source>
        <translation>%1 — erneut umgewandelt als %2</translation>
    </message>
    <message>
        <source>Align output with input</source>
        <translation>Ausgabe zeilengleich zur Eingabe</translation>
    </message>
    <message>
        <source>check digit</source>
        <translation>Prüfziffer</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="1"/>
        <source>a leading 0 makes the digit count even</source>
        <translation>eine vorangestellte 0 macht die Ziffernzahl gerade</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="1"/>
        <source>Check character: Always — %1 always carries its check digit.</source>
        <translation>Prüfzeichen: immer — %1 trägt stets seine Prüfziffer.</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="1"/>
        <source>Check character: Optional — adds %1&apos;s check character to the symbol.</source>
        <translation>Prüfzeichen: wahlweise — fügt dem Symbol das Prüfzeichen von %1 hinzu.</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="1"/>
        <source>Check character: Expected — %1 requires it; scanners refuse the symbol without it.</source>
        <translation>Prüfzeichen: erwartet — %1 verlangt es; Scanner lesen das Symbol ohne es nicht.</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="1"/>
        <source>Check character: None — %1 has no check character.</source>
        <translation>Prüfzeichen: keines — %1 hat kein Prüfzeichen.</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="1"/>
        <source>%1 (not counting %2 empty)</source>
        <translation>%1 (ohne %2 leere)</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="1"/>
        <source>%1 — read again as %2</source>
        <translation>%1 — erneut gelesen als %2</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="1"/>
        <source>saved %1 line to %2</source>
        <translation>%1 Zeile in %2 gespeichert</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="1"/>
        <source>saved %1 lines to %2</source>
        <translation>%1 Zeilen in %2 gespeichert</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="1"/>
        <source>exported the barcode to %1</source>
        <translation>Barcode nach %1 exportiert</translation>
    </message>
    <message>
        <location filename="../NoticeTexts.h" line="1"/>
        <source>sent the barcode to the printer</source>
        <translation>Barcode an den Drucker gesendet</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../AboutBox.cpp" line="13"/>
        <source>About bcfont</source>
        <translation>Über bcfont</translation>
    </message>
    <message>
        <location filename="../AboutBox.cpp" line="15"/>
        <source>none were loaded</source>
        <translation>keine geladen</translation>
    </message>
    <message>
        <location filename="../AboutBox.cpp" line="17"/>
        <source>&lt;h2&gt;bcfont %1&lt;/h2&gt;&lt;p&gt;Barcode font encoder: font strings for %4 symbologies.&lt;/p&gt;&lt;p&gt;Licence: %2.&lt;/p&gt;&lt;p&gt;The barcode fonts: SIL Open Font License 1.1; their digits are drawn from the public-domain OCR-B.&lt;/p&gt;&lt;p&gt;Fonts loaded from: %3&lt;/p&gt;</source>
        <translation>&lt;h2&gt;bcfont %1&lt;/h2&gt;&lt;p&gt;Barcode-Font-Encoder: Schriftzeichenfolgen für %4 Symbologien.&lt;/p&gt;&lt;p&gt;Lizenz: %2.&lt;/p&gt;&lt;p&gt;Die Barcode-Schriften: SIL Open Font License 1.1; ihre Ziffern stammen aus der gemeinfreien OCR-B.&lt;/p&gt;&lt;p&gt;Schriften geladen aus: %3&lt;/p&gt;</translation>
    </message>
    <message>
        <location filename="../ExportDialogs.cpp" line="28"/>
        <source>Export Barcode</source>
        <translation>Barcode exportieren</translation>
    </message>
    <message>
        <location filename="../ExportDialogs.cpp" line="53"/>
        <source>PNG Resolution</source>
        <translation>PNG-Auflösung</translation>
    </message>
    <message>
        <location filename="../ExportDialogs.cpp" line="54"/>
        <source>Resolution in dots per inch (%1 to %2):</source>
        <translation>Auflösung in Punkten pro Zoll (%1 bis %2):</translation>
    </message>
    <message>
        <location filename="../FontLoader.cpp" line="62"/>
        <source>No fonts were installed: bcfont found no faces to copy.</source>
        <translation>Keine Schriften installiert: bcfont fand keine Schriftdateien zum Kopieren.</translation>
    </message>
    <message>
        <location filename="../FontLoader.cpp" line="64"/>
        <source>No fonts were installed: cannot create the folder %1.</source>
        <translation>Keine Schriften installiert: der Ordner %1 lässt sich nicht anlegen.</translation>
    </message>
    <message>
        <location filename="../FontLoader.cpp" line="68"/>
        <source>Could not read %1: %2.</source>
        <translation>%1 ließ sich nicht lesen: %2.</translation>
    </message>
    <message>
        <location filename="../QtWindowPort.cpp" line="98"/>
        <source>Read Batch Input</source>
        <translation>Stapeleingabe lesen</translation>
    </message>
    <message>
        <location filename="../QtWindowPort.cpp" line="105"/>
        <source>Save Batch Output</source>
        <translation>Stapelausgabe speichern</translation>
    </message>
    <message>
        <location filename="../QtWindowPort.cpp" line="116"/>
        <source>bcfont</source>
        <translation>bcfont</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="70"/>
        <source>Symbology</source>
        <translation>Symbologie</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="71"/>
        <source>Data to encode</source>
        <translation>Zu codierende Daten</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="72"/>
        <source>Type the data to encode</source>
        <translation>Die zu codierenden Daten eingeben</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="74"/>
        <source>Chec&amp;k digit</source>
        <translation>&amp;Prüfziffer</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="74"/>
        <source>Check digit</source>
        <translation>Prüfziffer</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="76"/>
        <source>Half heigh&amp;t</source>
        <translation>H&amp;albe Höhe</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="76"/>
        <source>Half height</source>
        <translation>Halbe Höhe</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="77"/>
        <source>Hi&amp;gh density</source>
        <translation>H&amp;ohe Dichte</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="78"/>
        <source>High density</source>
        <translation>Hohe Dichte</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="80"/>
        <source>Add-on choice</source>
        <translation>Wahl des Zusatzcodes</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="82"/>
        <source>&amp;None</source>
        <translation>&amp;Keiner</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="82"/>
        <source>No add-on</source>
        <translation>Kein Zusatzcode</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="84"/>
        <source>&amp;2 digits</source>
        <translation>&amp;2 Ziffern</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="84"/>
        <source>2-digit add-on</source>
        <translation>Zusatzcode mit 2 Ziffern</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="86"/>
        <source>&amp;5 digits</source>
        <translation>&amp;5 Ziffern</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="86"/>
        <source>5-digit add-on</source>
        <translation>Zusatzcode mit 5 Ziffern</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="92"/>
        <source>Add-on digits</source>
        <translation>Ziffern des Zusatzcodes</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="93"/>
        <source>digits</source>
        <translation>Ziffern</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="96"/>
        <source>Font string</source>
        <translation>Schriftzeichenfolge</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="100"/>
        <source>Barcode</source>
        <translation>Barcode</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="105"/>
        <source>S&amp;ymbology:</source>
        <translation>S&amp;ymbologie:</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="106"/>
        <source>&amp;Data:</source>
        <translation>Da&amp;ten:</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="107"/>
        <source>Notice</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="109"/>
        <source>Options:</source>
        <translation>Optionen:</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="110"/>
        <source>Add-on:</source>
        <translation>Zusatzcode:</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="111"/>
        <source>F&amp;ont string:</source>
        <translation>Zeichen&amp;folge:</translation>
    </message>
    <message>
        <location filename="../PreviewWidgets.cpp" line="69"/>
        <source>shown at actual size: scroll to see all of it</source>
        <translation>in tatsächlicher Größe gezeigt: zum Ansehen des Ganzen verschieben</translation>
    </message>
    <message>
        <location filename="../PreviewWidgets.cpp" line="72"/>
        <source>Scroll the barcode</source>
        <translation>Barcode verschieben</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="116"/>
        <source>Barcode preview</source>
        <translation>Barcode-Vorschau</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="134"/>
        <source>Text under the bars</source>
        <translation>Klartext unter den Strichen</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="135"/>
        <source>Meaning of the data&apos;s elements</source>
        <translation>Bedeutung der Datenelemente</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="128"/>
        <location filename="../WindowLayout.cpp" line="232"/>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="128"/>
        <source>Copy barcode</source>
        <translation>Barcode kopieren</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="130"/>
        <location filename="../WindowLayout.cpp" line="225"/>
        <source>&amp;Print…</source>
        <translation>D&amp;rucken…</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="130"/>
        <source>Print barcode</source>
        <translation>Barcode drucken</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="133"/>
        <source>E&amp;xport…</source>
        <translation>E&amp;xportieren…</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="133"/>
        <source>Export barcode</source>
        <translation>Barcode exportieren</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="134"/>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="139"/>
        <source>&amp;Install fonts for other programs</source>
        <translation>Schriften für andere P&amp;rogramme installieren</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="140"/>
        <source>Install fonts for other programs</source>
        <translation>Schriften für andere Programme installieren</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="152"/>
        <source>Description of the symbology</source>
        <translation>Beschreibung der Symbologie</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="157"/>
        <location filename="../WindowLayout.cpp" line="158"/>
        <source>About this symbology</source>
        <translation>Über diese Symbologie</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="166"/>
        <source>Batch symbology</source>
        <translation>Symbologie des Stapels</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="167"/>
        <source>&amp;Check digit</source>
        <translation>Prüf&amp;ziffer</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="168"/>
        <source>Batch check digit</source>
        <translation>Prüfziffer des Stapels</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="169"/>
        <source>Batch input</source>
        <translation>Stapeleingabe</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="170"/>
        <source>One item per line — type here or read a text file</source>
        <translation>Ein Eintrag pro Zeile – hier eingeben oder eine Textdatei lesen</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="171"/>
        <source>Batch output</source>
        <translation>Stapelausgabe</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="172"/>
        <source>One font string per converted line</source>
        <translation>Eine Zeichenfolge pro umgewandelter Zeile</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="174"/>
        <location filename="../WindowLayout.cpp" line="235"/>
        <source>&amp;Read…</source>
        <translation>&amp;Lesen…</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="174"/>
        <source>Read a file</source>
        <translation>Eine Datei lesen</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="175"/>
        <source>Con&amp;vert</source>
        <translation>Um&amp;wandeln</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="176"/>
        <source>Convert the lines</source>
        <translation>Die Zeilen umwandeln</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="178"/>
        <location filename="../WindowLayout.cpp" line="237"/>
        <source>&amp;Save…</source>
        <translation>Spei&amp;chern…</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="178"/>
        <source>Save the output</source>
        <translation>Die Ausgabe speichern</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="180"/>
        <source>Align output &amp;with input</source>
        <translation>Ausgabe zeilen&amp;gleich zur Eingabe</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="181"/>
        <source>Align output with input</source>
        <translation>Ausgabe zeilengleich zur Eingabe</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="182"/>
        <source>Text encoding of files</source>
        <translation>Textcodierung der Dateien</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="183"/>
        <source>Mac OS Roman</source>
        <translation>Mac OS Roman</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="183"/>
        <source>UTF-8</source>
        <translation>UTF-8</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="184"/>
        <source>Batch notice</source>
        <translation>Hinweis zum Stapel</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="185"/>
        <source>Batch summary</source>
        <translation>Ergebnis des Stapels</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="186"/>
        <source>Rejected lines</source>
        <translation>Abgelehnte Zeilen</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="191"/>
        <source>Batch conversion</source>
        <translation>Stapelumwandlung</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="196"/>
        <source>Sy&amp;mbology:</source>
        <translation>Sy&amp;mbologie:</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="199"/>
        <source>Read &amp;as:</source>
        <translation>Lese&amp;n als:</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="205"/>
        <source>Inp&amp;ut</source>
        <translation>E&amp;ingabe</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="215"/>
        <source>Out&amp;put</source>
        <translation>A&amp;usgabe</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="221"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="223"/>
        <source>&amp;Export…</source>
        <translation>&amp;Exportieren…</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="228"/>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="231"/>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="234"/>
        <source>&amp;Batch</source>
        <translation>&amp;Stapel</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="236"/>
        <source>&amp;Convert</source>
        <translation>&amp;Umwandeln</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="241"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="242"/>
        <source>&amp;About bcfont</source>
        <translation>Ü&amp;ber bcfont</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="272"/>
        <source>bcfont — Barcode Font Encoder</source>
        <translation>bcfont – Barcode-Font-Encoder</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="131"/>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="133"/>
        <source>Print…</source>
        <translation>Drucken…</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="1"/>
        <source>Input and output</source>
        <translation>Eingabe und Ausgabe</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="96"/>
        <source>2D code options</source>
        <translation>Optionen des 2D-Codes</translation>
    </message>
    <message>
        <location filename="../WindowLayout.cpp" line="97"/>
        <source>Options of a 2D code, as after the colon of bcfont&apos;s --type: ecc=H,version=5 or shape=rect or columns=6,ecc=4</source>
        <translation>Optionen eines 2D-Codes, wie nach dem Doppelpunkt von bcfonts --type: ecc=H,version=5 oder shape=rect oder columns=6,ecc=4</translation>
    </message>
</context>
<context>
    <name>bcfont::app::MainWindow</name>
    <message>
        <location filename="../MainWindow.cpp" line="19"/>
        <source>bcfont</source>
        <translation>bcfont</translation>
    </message>
</context>
<context>
    <name>bcfont::app::LabelsDialog</name>
    <message>
        <source>&amp;Copies of each line:</source>
        <translation>&amp;Kopien je Zeile:</translation>
    </message>
    <message>
        <source>&amp;Labels…</source>
        <translation>&amp;Etiketten…</translation>
    </message>
    <message>
        <source>&amp;Print…</source>
        <translation>&amp;Drucken…</translation>
    </message>
    <message>
        <source>&amp;Save as PDF…</source>
        <translation>Als PDF &amp;sichern…</translation>
    </message>
    <message>
        <source>Choose a label template.</source>
        <translation>Wählen Sie eine Etikettenvorlage.</translation>
    </message>
    <message>
        <source>Copies of each line</source>
        <translation>Kopien je Zeile</translation>
    </message>
    <message>
        <source>Draw the label &amp;outlines (test print on plain paper)</source>
        <translation>Etikettenränder &amp;zeichnen (Probedruck auf Normalpapier)</translation>
    </message>
    <message>
        <source>First sheet</source>
        <translation>Erster Bogen</translation>
    </message>
    <message>
        <source>Label templates</source>
        <translation>Etikettenvorlagen</translation>
    </message>
    <message>
        <source>Labels already &amp;used:</source>
        <translation>Bereits &amp;benutzte Etiketten:</translation>
    </message>
    <message>
        <source>Labels already used</source>
        <translation>Bereits benutzte Etiketten</translation>
    </message>
    <message>
        <source>Labels not printed</source>
        <translation>Etiketten nicht gedruckt</translation>
    </message>
    <message>
        <source>Labels not saved</source>
        <translation>Etiketten nicht gespeichert</translation>
    </message>
    <message>
        <source>Line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>Lines not printed</source>
        <translation>Nicht gedruckte Zeilen</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Print &amp;Labels…</source>
        <translation>E&amp;tiketten drucken…</translation>
    </message>
    <message>
        <source>Print Labels</source>
        <translation>Etiketten drucken</translation>
    </message>
    <message>
        <source>Print labels</source>
        <translation>Etiketten drucken</translation>
    </message>
    <message>
        <source>Save Labels as PDF</source>
        <translation>Etiketten als PDF speichern</translation>
    </message>
    <message>
        <source>Search templates, e.g. Avery L7160</source>
        <translation>Vorlagen suchen, z. B. Avery L7160</translation>
    </message>
    <message>
        <location filename="../LabelsDialog.cpp" line="1"/>
        <source>Symbology</source>
        <translation>Symbologie</translation>
    </message>
    <message>
        <location filename="../LabelsDialog.cpp" line="1"/>
        <source>S&amp;ymbology:</source>
        <translation>S&amp;ymbologie:</translation>
    </message>
    <message>
        <location filename="../LabelsDialog.cpp" line="1"/>
        <source>No lines to print: type or read them in the batch area&apos;s Input of the main window, one item per line, “data” or “data&lt;TAB&gt;caption”.</source>
        <translation>Keine Zeilen zu drucken: Geben Sie sie in der Eingabe des Stapelbereichs im Hauptfenster ein oder lesen Sie sie dort, ein Eintrag pro Zeile, „Daten“ oder „Daten&lt;TAB&gt;Beschriftung“.</translation>
    </message>
</context>
<context>
    <name>ExportFilter</name>
    <message>
        <location filename="../ExportFile.h" line="19"/>
        <source>SVG image (*.svg)</source>
        <translation>SVG-Bild (*.svg)</translation>
    </message>
    <message>
        <location filename="../ExportFile.h" line="20"/>
        <source>PNG image (*.png)</source>
        <translation>PNG-Bild (*.png)</translation>
    </message>
    <message>
        <location filename="../ExportFile.h" line="21"/>
        <source>PDF document (*.pdf)</source>
        <translation>PDF-Dokument (*.pdf)</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <location filename="../NoticeTexts.h" line="24"/>
        <source>en</source>
        <translation>de</translation>
    </message>
</context>
</TS>
