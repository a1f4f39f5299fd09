#pragma once

class QTextEdit;

// Keeps a text box's layout linear in its text. The box wraps lines at word
// boundaries, as usual; a run of characters with no place to break a line
// would then cost the layout time in the square of the run's length, so as
// soon as the box holds such a run it wraps lines anywhere instead. The box
// goes back to word wrapping when its whole text is replaced by one without
// such a run. Call it once, before the box gets its text.
void couperLesLonguesSuites(QTextEdit *zone);
