#include "lectureendeux.h"

#include "fluxretabli.h"

#include <array>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace {

// A thread of its own that runs one task at a time for the thread that hands
// it over and waits for it.
class Fil
{
public:
    Fil() : fil([this] { servir(); }) {}
    ~Fil()
    {
        {
            const std::lock_guard verrou(garde);
            fin = true;
        }
        signal.notify_all();
        fil.join();
    }

    void lancer(std::function<void()> t)
    {
        {
            const std::lock_guard verrou(garde);
            tache = std::move(t);
        }
        signal.notify_all();
    }
    // Waits for the task to end; what it threw is thrown here.
    void attendre()
    {
        std::unique_lock verrou(garde);
        signal.wait(verrou, [this] { return !tache; });
        if (erreur)
            std::rethrow_exception(std::exchange(erreur, nullptr));
    }

private:
    void servir()
    {
        std::unique_lock verrou(garde);
        for (;;) {
            signal.wait(verrou, [this] { return tache || fin; });
            if (!tache)
                return;
            verrou.unlock();
            try {
                tache();
            } catch (...) {
                erreur = std::current_exception();
            }
            verrou.lock();
            tache = nullptr;
            signal.notify_all();
        }
    }

    std::mutex garde;
    std::condition_variable signal;
    std::function<void()> tache;
    std::exception_ptr erreur;
    bool fin = false;
    std::thread fil; // last: started once the rest is ready
};

// A long text read on two threads, to the same result. The text gathers by
// two halves; one reader starts within it, just after a line break where the
// reading stands in a state known in advance (a sentence ended: the next word
// opens one, a capital due or not), and reads to the end while the other
// reads up to there. When that one stands there as the first started, the
// first one's reading follows on, and it carries on with the next piece;
// otherwise the one that read up to there reads the rest too. Each reader
// keeps to its thread, and so its tables to the cache of one core.
class FluxEnDeux : public TraducteurFlux
{
public:
    FluxEnDeux(const Dictionnaire &d, const ModeleContexte *modele, const Lecture &style,
               bool supprimer, qsizetype moitie)
        : style(style), moitie(moitie)
    {
        for (auto &l : lecteurs)
            l = std::make_unique<FluxRetabli>(d, modele, style, supprimer);
    }

    void alimenter(QStringView morceau, QByteArray &sortie) override
    {
        amas.append(morceau);
        if (amas.size() >= 2 * moitie)
            lireEnDeux(sortie);
    }

    void terminer(QByteArray &sortie) override
    {
        lecteurs[size_t(suite)]->alimenter(amas, sortie);
        amas.resize(0);
        lecteurs[size_t(suite)]->terminer(sortie);
    }

private:
    struct Reprise
    {
        qsizetype position;
        bool capitale;
    };
    std::optional<Reprise> reprise(QStringView texte) const;
    void lireEnDeux(QByteArray &sortie);

    const Lecture &style;
    // The first reads on this thread, the second on `fil`.
    std::array<std::unique_ptr<FluxRetabli>, 2> lecteurs;
    int suite = 0; // the reader that carries on with the text
    Fil fil;
    QString amas;
    std::array<QByteArray, 2> lus; // what each reader wrote of the piece
    qsizetype moitie;
};

// The first line break from the middle on after the end of a sentence (".",
// ":" or a blank line after a mark), blanks aside, and the capital that is
// then due.
std::optional<FluxEnDeux::Reprise> FluxEnDeux::reprise(QStringView texte) const
{
    for (qsizetype q = texte.indexOf(u'\n', moitie); q >= 0 && q + 1 < texte.size();
         q = texte.indexOf(u'\n', q + 1)) {
        qsizetype p = q;
        bool ligneVide = false;
        while (p > 0 && estBlanc(texte[p - 1].unicode())) {
            --p;
            ligneVide = ligneVide || texte[p] == u'\n';
        }
        const char16_t c = p > 0 ? texte[p - 1].unicode() : 0;
        if (c == 0 || c >= 256 || !style.separateur[c])
            continue;
        if (ligneVide || romptLaPhrase(c))
            return Reprise{q + 1, estFinDePhrase(c)};
    }
    return std::nullopt;
}

void FluxEnDeux::lireEnDeux(QByteArray &sortie)
{
    const QStringView texte(amas);
    FluxRetabli &premier = *lecteurs[size_t(suite)];
    const std::optional<Reprise> r = reprise(texte);
    if (!r) {
        premier.alimenter(texte, sortie);
        amas.resize(0);
        return;
    }
    FluxRetabli &second = *lecteurs[size_t(1 - suite)];
    second.reprendre(r->capitale);
    QByteArray &debut = lus[size_t(suite)];
    QByteArray &fin = lus[size_t(1 - suite)];
    debut.resize(0);
    fin.resize(0);
    const auto lireDebut = [&] { premier.alimenter(texte.first(r->position), debut); };
    const auto lireFin = [&] { second.alimenter(texte.sliced(r->position), fin); };
    fil.lancer(suite == 0 ? std::function<void()>(lireFin) : lireDebut);
    // What this thread throws waits for the other to end.
    std::exception_ptr erreur;
    try {
        suite == 0 ? lireDebut() : lireFin();
    } catch (...) {
        erreur = std::current_exception();
    }
    fil.attendre();
    if (erreur)
        std::rethrow_exception(erreur);
    sortie += debut;
    if (premier.capitaleALaReprise() == r->capitale) {
        sortie += fin;
        suite = 1 - suite;
    } else {
        premier.alimenter(texte.sliced(r->position), sortie);
    }
    amas.resize(0);
}

} // namespace

std::unique_ptr<TraducteurFlux> creerLectureEnDeux(const Dictionnaire &dictionnaire,
                                                   const ModeleContexte *modele,
                                                   const Lecture &style, bool supprimerEspaces,
                                                   qsizetype moitie)
{
    return std::make_unique<FluxEnDeux>(dictionnaire, modele, style, supprimerEspaces, moitie);
}
