#pragma once

// The checks a personal style must pass before it can be used.

#include "traduction.h"

enum class Verdict { Valide, UneCaseVide, PlusieursCasesVides, CasesIdentiques };

// True when the 26 texts are pairwise different (case, blanks and accents count).
bool casesDifferentes(const Glyphes &cases);

// Empty cells first (one, or several), then identical cells.
Verdict verifierStyle(const Glyphes &cases);

// The editor's message for a verdict, rich text as the error box shows it;
// empty for Verdict::Valide.
QString messageVerdict(Verdict verdict);
