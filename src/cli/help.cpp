#include "cli/help.h"

namespace vemora::cli {

std::string_view HelpText() {
  return R"(Aufruf: vemora-calc [Optionen]
Berechnet den minimalen Hauptspeicher eines NetWare-Servers in MB, wie das
Fenster von Vemora. Ohne Optionen gelten die Werte, mit denen das Fenster startet.

Eingaben:
  --disk ZAHL         Gesamtplattenspeicher in MB (1GB=1024MB), Vorgabe 100
  --mirror            Spiegelung
  --block ZAHL        Volume-Blockgröße in KB, Vorgabe 4
  --clients ZAHL      Maximale Anzahl aller Clients, Vorgabe 5
  --files ZAHL        Maximale Anzahl der Dateien auf dem Server, Vorgabe 10000
  --nw3 | --nw4       NW 3.1x (Vorgabe) oder NW 4.x; die letzte Angabe gilt
  --compression       Kompression (nur mit --nw4)
  --suballocation     Suballocation
  --other ZAHL        Andere Anwendungen in KB ohne Install, Monitor etc., Vorgabe 3000
  Zahlen werden gelesen wie im Fenster: '.' ist der Dezimalpunkt, ein Text
  ohne Zahl gilt als 0.

Ausgabe:
  (ohne)              das Ergebnis, wie das Fenster es zeigt
  --explain           dazu die acht Anteile und die Summe in KB und MB
  --json              Eingaben, L1 bis L8, SummeKB, SummeMB und Text als JSON
  --csv DATEI         eine Serverliste rechnen ('-' = Standardeingabe)
  -h, --help          diese Hilfe

CSV: Kopfzeile mit Spaltennamen disk, mirror, block, clients, files, nw4,
compression, suballocation, other (beliebige Reihenfolge); fehlende Spalten
haben die Vorgabewerte. Schalter: 1 oder 0 (auch ja/nein, yes/no, true/false;
leer = 0); nw4=0 bedeutet NW 3.1x. Ein leeres Zahlenfeld ist ein leerer Text (0).
Die Ausgabe wiederholt alle neun Eingaben und hängt L1..L8, SummeKB, SummeMB
(mit '.'), text und error an. Eine fehlgeschlagene Zeile hat in error die
Fehlernummer und den Text; die übrigen Zeilen werden trotzdem gerechnet.

Rückgabewert: 0 Erfolg, 1 eine Berechnung schlug fehl, 2 falscher Aufruf.

Usage: vemora-calc [options]
Computes the minimum main memory of a NetWare server in MB, as Vemora's window
does. Without options the window's start values apply.

Inputs:
  --disk NUMBER       total disk capacity in MB (1 GB = 1024 MB), default 100
  --mirror            disk mirroring
  --block NUMBER      volume block size in KB, default 4
  --clients NUMBER    maximum number of clients, default 5
  --files NUMBER      maximum number of files on the server, default 10000
  --nw3 | --nw4       NetWare 3.1x (default) or 4.x; the last one given wins
  --compression       file compression (only with --nw4)
  --suballocation     block suballocation
  --other NUMBER      memory of other server applications in KB, default 3000
  Numbers are read as the window reads them: '.' is the decimal point, a text
  without a number counts as 0.

Output:
  (none)              the result as the window shows it
  --explain           also the eight shares and the sum in KB and MB
  --json              inputs, L1 to L8, SummeKB, SummeMB and text as JSON
  --csv FILE          compute a list of servers ('-' = standard input)
  -h, --help          this help

CSV: a header row naming the columns disk, mirror, block, clients, files, nw4,
compression, suballocation, other (any order); missing columns take the
defaults. Switches: 1 or 0 (also yes/no, ja/nein, true/false; empty = 0);
nw4=0 means NetWare 3.1x. An empty number cell is an empty text (0).
The output repeats all nine inputs and appends L1..L8, SummeKB, SummeMB (with
'.'), text and error. A failed row carries the error number and text in error;
the other rows are computed all the same.

Exit status: 0 success, 1 a calculation failed, 2 bad usage.
)";
}

}  // namespace vemora::cli
