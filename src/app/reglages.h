#pragma once

#include <QSettings>

// The program's one settings object: organisation "Velmora", application
// "Scribolix", native format, keys "A" to "Z" holding the personal glyphs.
// Created on first use, so that tests can point the store elsewhere first.
QSettings &reglages();
