// Linked with one room's whole archive and nothing above it: a call from that room into a higher
// one leaves an undefined symbol, so this program fails to link.
int main() {
    return 0;
}
