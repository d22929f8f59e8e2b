// Keeps one kind of Qt message out of a normal run. When text in a script
// that no installed font covers is shown (a garbled text often holds a few
// Devanagari or Kannada letters), Qt tries every installed family for it and
// writes "OpenType support missing for …" to standard error once for each:
// dozens of lines at a time that tell the user nothing the boxes on screen do
// not. Every other message goes on to the handler that was there before.
#ifndef TEKVO_EDITOR_FONT_NOISE_H_
#define TEKVO_EDITOR_FONT_NOISE_H_

#include <QString>
#include <QtGlobal>

namespace tekvo {

// True for Qt's warning about a font without OpenType tables for a script.
bool IsFontFallbackNoise(QtMsgType type, const QString& message);

// Installs the filter in front of the current message handler.
void KeepFontFallbackNoiseOut();

}  // namespace tekvo

#endif  // TEKVO_EDITOR_FONT_NOISE_H_
