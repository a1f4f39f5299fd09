// The translation engine under arbitrary input. An input is laid out as:
//
//   byte 0   the request: bit 0 set reads leet back into French, bits 1-2 the
//            style (1 Korvane, 2 personal, otherwise Velmora), bit 3 doubles
//            the backslashes, bit 4 puts blanks between letters, bit 5
//            removes them; bit 6 takes the text as UTF-16 (below);
//   byte 1   a cut, where the checks below split the text or stop reading it;
//   byte 2   how many of the following bytes hold the personal glyphs: UTF-8
//            cells separated by the byte 0x1F, from A;
//   the rest the text: decoded from UTF-8, or taken as raw little-endian
//            UTF-16 code units, so that lone surrogates and NULs reach the
//            engine as they are.
//
// Built with SCRIBOLIX_FUZZ_ALLER_RETOUR, the same file is fuzz_allerretour,
// which checks the round trips on both forms of the text.
//
// Besides running without a crash or a sanitizer report, every translation
// must keep the properties checked below.

#include "exiger.h"
#include "reference.h"
#include "regles.h"
#include "traduction.h"

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

struct Entree
{
    Demande demande;
    qsizetype coupe = 0;
    Glyphes cases;
    QByteArray texte;
};

Entree decouper(const uint8_t *donnees, size_t taille)
{
    const auto octet = [&](size_t i) -> uint8_t { return i < taille ? donnees[i] : 0; };
    Entree entree;
    const uint8_t options = octet(0);
    entree.demande.versLeet = (options & 0x01) == 0;
    switch ((options >> 1) & 0x03) {
    case 1:
        entree.demande.ecriture = Ecriture::Korvane;
        break;
    case 2:
        entree.demande.ecriture = Ecriture::Personnalisee;
        break;
    default:
        entree.demande.ecriture = Ecriture::Velmora;
        break;
    }
    entree.demande.doublerAntiSlashs = options & 0x08;
    entree.demande.mettreEspaces = options & 0x10;
    entree.demande.supprimerEspaces = options & 0x20;
    entree.coupe = octet(1);

    const char *octets = reinterpret_cast<const char *>(donnees);
    const size_t debutCases = std::min<size_t>(3, taille);
    const size_t finCases = std::min<size_t>(taille, debutCases + octet(2));
    const QList<QByteArray> morceaux =
        QByteArray(octets + debutCases, qsizetype(finCases - debutCases)).split('\x1f');
    for (qsizetype i = 0; i < std::min<qsizetype>(nombreLettres, morceaux.size()); ++i)
        entree.cases[i] = QString::fromUtf8(morceaux[i]);
    entree.texte = QByteArray(octets + finCases, qsizetype(taille - finCases));
    return entree;
}

QString texteUtf16(const QByteArray &octets)
{
    QString texte(octets.size() / 2, Qt::Uninitialized);
    std::memcpy(texte.data(), octets.constData(), size_t(texte.size()) * sizeof(char16_t));
    return texte;
}

bool estLettreAscii(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

QString versLeet(Ecriture ecriture, const QString &texte, qsizetype longueur, bool doubler,
                 bool espaces, const Glyphes &cases)
{
    switch (ecriture) {
    case Ecriture::Velmora:
        return traduireFrancaisVelmora(texte, longueur, doubler, espaces);
    case Ecriture::Korvane:
        return traduireFrancaisKorvane(texte, longueur, doubler, espaces);
    case Ecriture::Courante:
        return traduireFrancaisCourante(texte, longueur, doubler, espaces);
    case Ecriture::Personnalisee:
        break;
    }
    return traduireFrancaisPersonnalisee(texte, cases, longueur, doubler, espaces);
}

QString versFrancais(Ecriture ecriture, const QString &texte, qsizetype longueur, bool supprimer)
{
    return ecriture == Ecriture::Korvane ? traduireLeetKorvane(texte, longueur, supprimer)
                                         : traduireLeetVelmora(texte, longueur, supprimer);
}

// The longest text one character of the input can give, the added blank left
// aside. Built-in: "|\/|", "\/\/" and "/-\3" have 4 characters, the doubled
// "\\/\\/" 6. Personal: a cell, or the cells of A and E for "æ", of O and E
// for "œ".
qsizetype plusLongGlyphe(Ecriture ecriture, const Glyphes &cases, bool doubler)
{
    if (ecriture != Ecriture::Personnalisee)
        return doubler ? 6 : 4;
    const auto longueur = [&](const QString &glyphe) {
        return glyphe.size() + (doubler ? glyphe.count(u'\\') : 0);
    };
    qsizetype plusLong = doubler ? 2 : 1; // a backslash of the text
    for (const QString &glyphe : cases)
        plusLong = std::max(plusLong, longueur(glyphe));
    return std::max({plusLong, longueur(cases[0]) + longueur(cases[4]),
                     longueur(cases[14]) + longueur(cases[4])});
}

[[maybe_unused]] void verifierVersLeet(const Demande &demande, const Glyphes &cases,
                                       const QString &texte, qsizetype coupe)
{
    const Ecriture ecriture = demande.ecriture;
    const bool doubler = demande.doublerAntiSlashs;
    const bool espaces = demande.mettreEspaces;
    const qsizetype n = texte.size();
    const QString leet = traduireSelon(demande, texte, cases);
    const auto contexte = [&] { return u"texte "_s + lisible(texte) + u" → "_s + lisible(leet); };

    EXIGER(leet == versLeet(ecriture, texte, n, doubler, espaces, cases), contexte());

    const qsizetype parCaractere = plusLongGlyphe(ecriture, cases, doubler) + (espaces ? 1 : 0);
    EXIGER(leet.size() <= n * parCaractere, contexte());
    if (ecriture != Ecriture::Personnalisee && doubler && espaces)
        EXIGER(leet.size() <= 7 * n, contexte());

    // Doubling the backslashes changes nothing else.
    if (doubler) {
        QString simple = versLeet(ecriture, texte, n, false, espaces, cases);
        EXIGER(leet == simple.replace(u"\\"_s, u"\\\\"_s), contexte());
    }

    // Each character is written on its own: the translation of a text is the
    // translations of its two halves, joined by the blank that the character
    // before the cut receives. A surrogate pair is one character: the cut
    // goes past it.
    qsizetype k = coupe % (n + 1);
    if (k > 0 && k < n && texte.at(k - 1).isHighSurrogate() && texte.at(k).isLowSurrogate())
        ++k;
    const QString avant = texte.left(k);
    const QString apres = texte.mid(k);
    const bool blancALaCoupe = espaces && k > 0 && k < n && !estBlanc(texte.at(k - 1).unicode());
    EXIGER(leet == versLeet(ecriture, avant, avant.size(), doubler, espaces, cases) +
                       (blancALaCoupe ? u" "_s : QString()) +
                       versLeet(ecriture, apres, apres.size(), doubler, espaces, cases),
           contexte() + u" coupé à "_s + QString::number(k));

    // `longueur` is how much of the text is read, and nothing past it is
    // (sampled: the cut byte picks the inputs that check it).
    if (coupe % 4 == 1) {
        EXIGER(versLeet(ecriture, texte, k, doubler, espaces, cases) ==
                   versLeet(ecriture, avant, avant.size(), doubler, espaces, cases),
               contexte() + u" longueur "_s + QString::number(k));
        EXIGER(versLeet(ecriture, texte, -1 - coupe, doubler, espaces, cases).isEmpty(),
               contexte());
        EXIGER(versLeet(ecriture, texte, n + 1 + coupe, doubler, espaces, cases) == leet,
               contexte());
    }

    if (ecriture == Ecriture::Personnalisee)
        return;
    // The built-in glyphs are ASCII and "Y" is their only letter; what is
    // copied comes from the text, in order; a NUL of the text is copied once.
    qsizetype p = 0;
    for (const QChar c : leet) {
        EXIGER(!estLettreAscii(c) || c == u'Y', contexte());
        if (c.unicode() < 0x80)
            continue;
        while (p < n && texte.at(p) != c)
            ++p;
        EXIGER(p < n, contexte());
        ++p;
    }
    EXIGER(leet.count(QChar(0)) == texte.count(QChar(0)), contexte());
}

[[maybe_unused]] void verifierVersFrancais(const Demande &demande, const QString &texte,
                                           qsizetype coupe)
{
    Ecriture ecriture = demande.ecriture;
    const bool supprimer = demande.supprimerEspaces;
    const qsizetype n = texte.size();
    if (ecriture == Ecriture::Personnalisee) {
        EXIGER(traduireSelon(demande, texte).isEmpty(), lisible(texte));
        ecriture = Ecriture::Velmora;
    }
    const QString francais = versFrancais(ecriture, texte, n, supprimer);
    const auto contexte = [&] {
        return u"leet "_s + lisible(texte) + u" → "_s + lisible(francais);
    };

    // The fast scan, which dispatches on pairs of bytes and keeps the
    // look-back as it goes, reads as the rules do position by position.
    EXIGER(francais == lireLeetPasAPas(styleDe(ecriture), texte, supprimer), contexte());

    // A position gives at most one character, and a NUL never comes out,
    // neither for a glyph's later characters nor for a NUL of the text.
    EXIGER(francais.size() <= n, contexte());
    EXIGER(!francais.contains(QChar(0)), contexte());

    // Whatever is not an ASCII letter was copied from the text, in order.
    qsizetype p = 0;
    for (const QChar c : francais) {
        if (estLettreAscii(c))
            continue;
        while (p < n && texte.at(p) != c)
            ++p;
        EXIGER(p < n, contexte());
        ++p;
    }

    // `longueur`, as above (sampled).
    if (coupe % 4 != 1)
        return;
    const qsizetype k = coupe % (n + 1);
    EXIGER(versFrancais(ecriture, texte, k, supprimer) ==
               versFrancais(ecriture, texte.left(k), k, supprimer),
           contexte() + u" longueur "_s + QString::number(k));
    EXIGER(versFrancais(ecriture, texte, -1 - coupe, supprimer).isEmpty(), contexte());
    EXIGER(versFrancais(ecriture, texte, n + 1 + coupe, supprimer) == francais, contexte());
}

// The personal style whose cells hold the Velmora glyphs is the Velmora style.
[[maybe_unused]] void verifierPersonnelVelmora(const QString &texte, bool doubler, bool espaces)
{
    static const Glyphes casesVelmora = [] {
        Glyphes cases;
        for (int lettre = 0; lettre < nombreLettres; ++lettre)
            cases[lettre] = glyphe(Style::Velmora, lettre);
        return cases;
    }();
    EXIGER(traduireFrancaisPersonnalisee(texte, casesVelmora, texte.size(), doubler, espaces) ==
               traduireFrancaisVelmora(texte, texte.size(), doubler, espaces),
           lisible(texte));
}

[[maybe_unused]] bool lettresEtBlancs(const QString &texte)
{
    return std::all_of(texte.cbegin(), texte.cend(),
                       [](QChar c) { return estLettreAscii(c) || estBlanc(c.unicode()); });
}

// What a text of ASCII letters and blanks (spaces, tabs, line breaks)
// becomes when it is written with blanks between letters and read back with
// the blanks removed, in either built-in style. Every glyph is followed by
// the added space or ends the text, so each is read whole as its own letter;
// the letter is a capital only at position 0, since every other glyph looks
// back onto a consumed position. The blank rule then removes the last space
// of every run of spaces in the leet text: after a letter that is the added
// one, and the text's own spaces come back one for one. A run of spaces that
// opens the text or follows a tab or a line break has no added space in
// front of it and comes back one space short. Tabs and line breaks always
// come back.
QString allerRetourAttendu(const QString &texte)
{
    QString attendu;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte.at(i);
        if (estLettreAscii(c)) {
            attendu.append(i == 0 ? c.toUpper() : c.toLower());
        } else if (c != u' ') {
            attendu.append(c);
        } else {
            const bool debutDeSerie = i == 0 || texte.at(i - 1) != u' ';
            const bool apresLettre = i > 0 && estLettreAscii(texte.at(i - 1));
            if (!debutDeSerie || apresLettre)
                attendu.append(c);
        }
    }
    return attendu;
}

// The text written with blanks between letters, and that leet read back with
// the blanks removed.
std::pair<QString, QString> allerRetourEspace(Style style, const QString &texte)
{
    const bool velmora = style == Style::Velmora;
    const QString leet = velmora ? traduireFrancaisVelmora(texte, texte.size(), false, true)
                                 : traduireFrancaisKorvane(texte, texte.size(), false, true);
    const QString relu = velmora ? traduireLeetVelmora(leet, leet.size(), true)
                                 : traduireLeetKorvane(leet, leet.size(), true);
    return {leet, relu};
}

[[maybe_unused]] void verifierAllerRetour(const QString &texte)
{
    const QString attendu = allerRetourAttendu(texte);
    // The plain case: a text that opens with a letter and has no space right
    // after a tab or a line break comes back as it was, all small but a
    // capital first letter.
    bool simple = !texte.isEmpty() && estLettreAscii(texte.front());
    for (qsizetype i = 1; i < texte.size(); ++i) {
        if (texte.at(i) == u' ' && texte.at(i - 1) != u' ' && !estLettreAscii(texte.at(i - 1)))
            simple = false;
    }
    const QString petites = texte.left(1).toUpper() + texte.mid(1).toLower();

    for (const Style style : {Style::Velmora, Style::Korvane}) {
        const bool velmora = style == Style::Velmora;
        const std::pair<QString, QString> allerRetour = allerRetourEspace(style, texte);
        const QString &leet = allerRetour.first;
        const QString &relu = allerRetour.second;
        const auto contexte = [&] {
            return (velmora ? u"Velmora "_s : u"Korvane "_s) + lisible(texte) + u" → "_s +
                   lisible(leet) + u" → "_s + lisible(relu);
        };
        EXIGER(relu == attendu, contexte());
        if (simple)
            EXIGER(relu == petites, contexte());
    }
}

// Any text written with blanks between letters and read back with the blanks
// removed, in either built-in style: a glyph that does not open the leet
// text always has a removed blank or a consumed glyph before it, never a
// sentence end, so no capital comes back except as the first character. The
// only letter the built-in glyphs hold is "Y", itself a glyph, so every
// letter of the result was decoded.
[[maybe_unused]] void verifierCapitales(const QString &texte)
{
    for (const Style style : {Style::Velmora, Style::Korvane}) {
        const bool velmora = style == Style::Velmora;
        const std::pair<QString, QString> allerRetour = allerRetourEspace(style, texte);
        const QString &leet = allerRetour.first;
        const QString &relu = allerRetour.second;
        for (qsizetype i = 1; i < relu.size(); ++i) {
            EXIGER(relu.at(i) < u'A' || relu.at(i) > u'Z',
                   (velmora ? u"Velmora "_s : u"Korvane "_s) + lisible(texte) + u" → "_s +
                       lisible(leet) + u" → "_s + lisible(relu));
        }
    }
}

// The text's bytes as letters and blanks, mostly spaces among the blanks.
[[maybe_unused]] QString enLettresEtBlancs(const QByteArray &octets)
{
    QString texte;
    texte.reserve(octets.size());
    for (const char octet : octets) {
        const uint8_t b = static_cast<uint8_t>(octet);
        if ((b & 0x07) == 0) {
            static constexpr char16_t blancs[] = u"     \t\n\r";
            texte.append(QChar(blancs[b >> 5]));
        } else {
            texte.append(QChar(((b & 0x01) ? u'a' : u'A') + (b >> 3) % 26));
        }
    }
    return texte;
}

} // namespace

#ifndef SCRIBOLIX_FUZZ_ALLER_RETOUR
// Every property of one translation, of the text decoded from UTF-8 or, with
// bit 6 of byte 0 set, taken as raw UTF-16.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    const Entree entree = decouper(donnees, taille);
    const QString texte = taille > 0 && (donnees[0] & 0x40) ? texteUtf16(entree.texte)
                                                            : QString::fromUtf8(entree.texte);
    if (entree.demande.versLeet)
        verifierVersLeet(entree.demande, entree.cases, texte, entree.coupe);
    else
        verifierVersFrancais(entree.demande, texte, entree.coupe);
    return 0;
}
#else
// The round trips, which translate twice in both styles, and the personal
// style that copies Velmora: the dearer properties, in a target of their own
// so that the one above runs fast.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *donnees, size_t taille)
{
    const Entree entree = decouper(donnees, taille);
    for (const QString &texte : {QString::fromUtf8(entree.texte), texteUtf16(entree.texte)}) {
        verifierPersonnelVelmora(texte, entree.demande.doublerAntiSlashs,
                                 entree.demande.mettreEspaces);
        if (lettresEtBlancs(texte))
            verifierAllerRetour(texte);
        else
            verifierCapitales(texte);
    }
    verifierAllerRetour(enLettresEtBlancs(entree.texte));
    return 0;
}
#endif
