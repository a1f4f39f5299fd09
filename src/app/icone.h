#pragma once

class QIcon;

// The windows' icon: "logo.png" from the working directory when there is one,
// so that a user can swap the picture, otherwise the copy built into the program.
QIcon iconeFenetre();
