#pragma once

// Creates every window and data module, each as its global instance, in the
// order the program starts them: Form6, Form4, Form5, DM, DMDLL (which
// connects at once; a failure is reported and start-up goes on), Form2, Form3.
void createFormsAndModules();

// Deletes them in the reverse order; the globals are null afterwards.
void destroyFormsAndModules();
