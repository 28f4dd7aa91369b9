namespace kapstat::sim {}
