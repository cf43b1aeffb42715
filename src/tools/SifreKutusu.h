#pragma once
// The password box of the two login-password windows: "*" for each character, at most
// 10 characters, the figures 0 to 9 only, its whole text selected when it gets the focus.

class QLineEdit;

namespace Zelvora {

// Other typed characters are discarded, and a paste or drop that holds anything but
// figures is refused whole, so the box never holds a character the password cannot.
void SifreKutusuHazirla(QLineEdit *kutu);

} // namespace Zelvora
