#pragma once

// A translation fed piece by piece, for a text too long to be held whole: the
// pieces of UTF-8 go in as they are read, and the UTF-8 of the translation
// comes out as soon as it is decided, byte for byte what translating the
// whole text at once and encoding it in UTF-8 gives. Memory stays bounded by
// the size of a piece whatever the length of the text.
//
//   UTF-8 pieces → DecodeurUtf8 → UTF-16 pieces → TraducteurFlux → UTF-8
//
// TraductionFlux joins the two stages; a new way of reading plugs in as
// another TraducteurFlux.

#include "traduction.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <memory>

// Decodes UTF-8 that arrives in pieces as QString::fromUtf8() decodes the
// whole: a sequence cut between two pieces is completed from the next. Each
// byte that belongs to no valid sequence becomes one `octetIgnore`, where
// fromUtf8() gives U+FFFD: a lone surrogate, which no rule writes, so that the
// byte is ignored rather than turned into a character of the text. Counts
// those bytes.
class DecodeurUtf8
{
public:
    static constexpr char16_t octetIgnore = 0xDC00;

    // The UTF-16 of what `octets` completes; valid until the next call.
    QStringView decoder(QByteArrayView octets);
    // The end of the bytes: what an unfinished sequence gives.
    QStringView terminer();

    qint64 octetsInvalides() const { return invalides; }
    // The offset, from 0, of the first invalid byte; -1 when there is none.
    qint64 premierInvalide() const { return premier; }

private:
    QStringView convertir(QByteArrayView octets);

    QByteArray enAttente; // the start of a sequence the next piece completes
    QByteArray tampon;
    QString unites;
    qint64 lus = 0; // bytes converted so far
    qint64 invalides = 0;
    qint64 premier = -1;
};

// One way of translating, fed with the text's UTF-16 code units in order.
// alimenter() appends to `sortie` the UTF-8 of everything it can decide;
// terminer() says the text ends there and appends the rest. The pieces may be
// cut anywhere, even between the two halves of a surrogate pair.
class TraducteurFlux
{
public:
    virtual ~TraducteurFlux() = default;
    virtual void alimenter(QStringView morceau, QByteArray &sortie) = 0;
    virtual void terminer(QByteArray &sortie) = 0;
};

// French to leet for a request of the translate command (traduireSelon()).
// May throw std::bad_alloc when one piece of a personal style's result does
// not fit in memory.
std::unique_ptr<TraducteurFlux> creerTraducteurVersLeet(const Demande &demande,
                                                        const Glyphes &cases = {});

class LectureLeetUtf8;

// UTF-8 in, UTF-8 out: the decoder in front of a translator or, for leet read
// back into French in a built-in style, a reading straight from UTF-8 to
// UTF-8 that gives the same bytes and counts the same invalid bytes.
class TraductionFlux
{
public:
    explicit TraductionFlux(std::unique_ptr<TraducteurFlux> traducteur);
    // The translation for a request of the translate command (traduireSelon()).
    explicit TraductionFlux(const Demande &demande, const Glyphes &cases = {});
    TraductionFlux(TraductionFlux &&) noexcept;
    ~TraductionFlux();

    void alimenter(QByteArrayView octets, QByteArray &sortie);
    void terminer(QByteArray &sortie);
    // As DecodeurUtf8 counts them.
    qint64 octetsInvalides() const;
    qint64 premierInvalide() const;

private:
    DecodeurUtf8 lecture;
    std::unique_ptr<TraducteurFlux> traducteur;
    std::unique_ptr<LectureLeetUtf8> directe;
};
