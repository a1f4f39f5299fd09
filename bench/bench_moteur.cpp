// Throughput of the translation engine on a little over 1 MiB of French text
// with accents, digits and punctuation, in MB of UTF-8 input per second.

#include "traduction.h"

#include <benchmark/benchmark.h>

using namespace Qt::StringLiterals;

namespace {

const QString &texteFrancais()
{
    static const QString texte = [] {
        const QString paragraphe =
            u"Le 14 juillet 1789, à Paris, la foule s'empare de la Bastille ! Était-ce "
            u"prévu ? Non : « Ça ira », chantait-on ; 3 × 7 = 21, dit l'élève ñ ï æ Œ… "
            u"Où est passé le garçon qui mangeait 12 crêpes (au beurre) et 5 œufs ?\n"_s;
        QString resultat;
        while (resultat.toUtf8().size() < 1024 * 1024)
            resultat += paragraphe.repeated(64);
        return resultat;
    }();
    return texte;
}

Glyphes glyphesVelmora()
{
    Glyphes cases;
    for (int lettre = 0; lettre < nombreLettres; ++lettre)
        cases[lettre] = glyphe(Style::Velmora, lettre);
    return cases;
}

void mesurer(benchmark::State &etat, const QString &texte,
             QString (*traduire)(const QString &))
{
    for (auto _ : etat)
        benchmark::DoNotOptimize(traduire(texte));
    etat.SetBytesProcessed(etat.iterations() * texte.toUtf8().size());
}

template <bool options>
void francaisVelmora(benchmark::State &etat)
{
    mesurer(etat, texteFrancais(), [](const QString &t) {
        return traduireFrancaisVelmora(t, t.size(), options, options);
    });
}

template <bool options>
void francaisKorvane(benchmark::State &etat)
{
    mesurer(etat, texteFrancais(), [](const QString &t) {
        return traduireFrancaisKorvane(t, t.size(), options, options);
    });
}

template <bool options>
void francaisPersonnalise(benchmark::State &etat)
{
    mesurer(etat, texteFrancais(), [](const QString &t) {
        static const Glyphes cases = glyphesVelmora();
        return traduireFrancaisPersonnalisee(t, cases, t.size(), options, options);
    });
}

template <bool options>
void leetVelmora(benchmark::State &etat)
{
    static const QString leet =
        traduireFrancaisVelmora(texteFrancais(), texteFrancais().size(), false, options);
    mesurer(etat, leet, [](const QString &t) { return traduireLeetVelmora(t, t.size(), options); });
}

template <bool options>
void leetKorvane(benchmark::State &etat)
{
    static const QString leet =
        traduireFrancaisKorvane(texteFrancais(), texteFrancais().size(), false, options);
    mesurer(etat, leet, [](const QString &t) { return traduireLeetKorvane(t, t.size(), options); });
}

} // namespace

BENCHMARK(francaisVelmora<false>)->Name("francais_vers_leet/velmora/sans_options");
BENCHMARK(francaisVelmora<true>)->Name("francais_vers_leet/velmora/avec_options");
BENCHMARK(francaisKorvane<false>)->Name("francais_vers_leet/korvane/sans_options");
BENCHMARK(francaisKorvane<true>)->Name("francais_vers_leet/korvane/avec_options");
BENCHMARK(francaisPersonnalise<false>)->Name("francais_vers_leet/perso/sans_options");
BENCHMARK(francaisPersonnalise<true>)->Name("francais_vers_leet/perso/avec_options");
BENCHMARK(leetVelmora<false>)->Name("leet_vers_francais/velmora/sans_options");
BENCHMARK(leetVelmora<true>)->Name("leet_vers_francais/velmora/avec_options");
BENCHMARK(leetKorvane<false>)->Name("leet_vers_francais/korvane/sans_options");
BENCHMARK(leetKorvane<true>)->Name("leet_vers_francais/korvane/avec_options");

BENCHMARK_MAIN();
