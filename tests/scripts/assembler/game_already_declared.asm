module c
end module
game c
