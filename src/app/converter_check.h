#pragma once
// The hidden colour converter check of the "Status" page.
class App;

// Converts the Y, Cr, Cb of HexEdit1-3 to RGB and back, and logs both results.
void Button1Click(App& app);
