#pragma once

// The reading with a word list of a long text on two threads, to the same
// result as one reader's. Private to the reading (retablissement.h is its
// entry point).

#include "dictionnaire.h"
#include "flux.h"
#include "lecturemots.h"
#include "modele.h"

#include <memory>

// A translator that reads by pieces of twice `moitie` code units on two
// threads; throws std::system_error when no thread can be started.
std::unique_ptr<TraducteurFlux> creerLectureEnDeux(const Dictionnaire &dictionnaire,
                                                   const ModeleContexte *modele,
                                                   const Lecture &style, bool supprimerEspaces,
                                                   qsizetype moitie);
