// A source for the libraries made only of compiled-in files (resources, translations).
