void showScheme();

int main() {
  showScheme();
}
