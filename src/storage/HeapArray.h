// Heap arrays and texts for the C-style records of the pack file (malloc/free owned).
#pragma once

// Replaces the heap array *array of oldCount elements by one of newCount elements, keeping
// the first min(oldCount, newCount). newCount 0 frees it and nulls *array. False (with
// *array unchanged) when the new block cannot be had.
bool ResizeArray(int elementSize, void** array, int oldCount, int newCount);

// A malloc'ed copy of text, or null for a null text.
char* DupliStr(char const* text);
