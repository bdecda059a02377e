module m
end module
new m, x
