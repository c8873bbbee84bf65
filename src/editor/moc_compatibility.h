// Given to moc only (never compiled): moc's preprocessor does not see the
// standard library's visibility macro and then fails to read <concepts>,
// which the core's headers include.
#define _GLIBCXX_VISIBILITY(V)
