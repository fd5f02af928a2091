#include "batch/batchrun.h"

#include "base/startoptions.h"
#include "batch/commandline.h"
#include "batch/commands.h"

namespace {

const char* const kHelp = R"(Käyttö: rivikone-batch KOMENTO [VALITSIMET]

Tarkastaa, listaa, arpoo, vie ja tuo Rivikoneen rivejä ilman ikkunoita.

Komennot:
  check    tarkasta rivitiedostot oikeaa riviä vastaan
  system   tarkasta täysjärjestelmä
  harava   tarkasta harava (A60, B81, C222, D432, E729, F1296)
  list     listaa rivitiedoston rivit
  draw     arvo painotetut hajarivit uuteen rivitiedostoon
  analyse  takuuanalyysi: mitä rivit takaavat kaavan tulosvaihtoehdoissa
  generate etsi oma harava kaavalle ja takuulle uuteen rivitiedostoon
  export   tulosta rivit tekstinä tai CSV:nä verkossa pelaamista varten
  import   tuo rivit teksti- tai CSV-tiedostosta uuteen rivitiedostoon
  reduce   karsi kaavan rivit ehdoilla ja todennäköisyyksillä uuteen rivitiedostoon
  value    rivien odotusarvo pelipottia vastaan; parhaat rivit uuteen rivitiedostoon

Tiedostoksi annettu - tarkoittaa vakiosyötettä.

Komennon ohje: rivikone-batch KOMENTO --help
Versio:        rivikone-batch --version
Paluuarvo: 0 onnistui, 1 tiedostoa ei voi lukea tai kirjoittaa, sen riveissä
on vikaa tai kaava tai rivimäärä hylätään, 2 komentorivi on väärin.)";

struct Command {
    const char* name;
    int (*run)(const QStringList&, BatchStreams&);
};

const Command kCommands[] = {
    {"check", checkCommand},   {"system", systemCommand},   {"harava", haravaCommand},     {"list", listCommand},
    {"draw", drawCommand},     {"analyse", analyseCommand}, {"generate", generateCommand}, {"reduce", reduceCommand},
    {"export", exportCommand}, {"import", importCommand},   {"value", valueCommand},
};

} // namespace

int runBatch(const QStringList& arguments, QIODevice& out, QIODevice& err, QIODevice* in)
{
    BatchStreams io(out, err, in);
    if (arguments.isEmpty())
        return io.usage("Anna komento !", QString());
    const QString& name = arguments.first();
    if (name == "--help" || name == "-h") {
        io.print(QString::fromUtf8(kHelp).split('\n'));
        return io.outputOk() ? ExitOk : ExitFailed;
    }
    if (name == "--version" || name == "-v") {
        io.print(programVersionLine());
        return io.outputOk() ? ExitOk : ExitFailed;
    }
    for (const Command& command : kCommands)
        if (name == QLatin1String(command.name))
            return command.run(arguments.mid(1), io);
    return io.usage("Tuntematon komento " + name + " !", QString());
}
