library(testthat)
library(zirtel)
test_check("zirtel")
