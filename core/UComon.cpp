// placeholder, replaced by the program-wide state
