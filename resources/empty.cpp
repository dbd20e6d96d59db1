// Keeps the picture library non-empty before any picture exists.
