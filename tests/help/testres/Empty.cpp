// The language-test library holds resources only.
