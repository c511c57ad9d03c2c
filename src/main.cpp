// Entry point of both programs. The application object arrives with the window layer;
// until then the programs build and exit at once.
int main() { return 0; }
