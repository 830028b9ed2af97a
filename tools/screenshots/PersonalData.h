#pragma once

class TForm1;

// A month of diary notes and a dozen address book entries, as a user's stores hold them after a while, so that
// the pictures of the diary and the address book show the pages at work.
void fillPersonalData(TForm1& form);
