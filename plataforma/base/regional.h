#pragma once
// The user's regional number settings. Read once from the system (LC_NUMERIC of the
// environment); tests set them.

char GetDecimalSeparator();
void SetDecimalSeparator(char separador);
