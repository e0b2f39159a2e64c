#pragma once

class QWidget;

// An editable field shows white; a disabled one takes the button-face colour of the
// window around it and keeps its value.
void SetFieldEditable(QWidget &field, bool editable);
